#include "app/startup/display_guard.h"

#include <cstdio>
#include <cstdlib>

namespace tiko {

std::vector<DisplayGuard::Held>* DisplayGuard::held_ = nullptr;

DisplayGuard::DisplayGuard() {
  static std::vector<Held> held;
  held_ = &held;
  previous_ = qInstallMessageHandler(&DisplayGuard::Handler);
}

DisplayGuard::~DisplayGuard() {
  Release();
}

void DisplayGuard::Release() {
  if (released_) return;
  released_ = true;
  qInstallMessageHandler(previous_);
  for (const Held& message : *held_) {
    // Replayed through the handler that was in place, as if never held.
    qt_message_output(message.type, QMessageLogContext(), message.text);
  }
  held_->clear();
}

QString DisplayGuard::NoDisplayLine() {
  const QByteArray display = qgetenv("DISPLAY");
  const QByteArray wayland = qgetenv("WAYLAND_DISPLAY");
  if (display.isEmpty() && wayland.isEmpty()) {
    return QStringLiteral("tiko: no display to open the window on (DISPLAY is not set)");
  }
  return QStringLiteral("tiko: cannot open the display %1")
      .arg(QString::fromLocal8Bit(display.isEmpty() ? wayland : display));
}

void DisplayGuard::Handler(QtMsgType type, const QMessageLogContext&, const QString& text) {
  if (type == QtFatalMsg) {
    std::fprintf(stderr, "%s\n", NoDisplayLine().toLocal8Bit().constData());
    std::fflush(stderr);
    std::_Exit(1);
  }
  held_->push_back({type, text});
}

}  // namespace tiko
