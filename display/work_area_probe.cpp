#include "display/work_area_probe.h"

#include <QEvent>
#include <QWindow>

namespace tiko {

namespace {

// A compositor answers within a round trip; one that does not has nothing to tell.
constexpr int kGiveUpMs = 2000;

}  // namespace

WorkAreaProbe::WorkAreaProbe(std::function<void(QSize)> found) : found_(std::move(found)) {
  give_up_.setSingleShot(true);
  give_up_.setInterval(kGiveUpMs);
  connect(&give_up_, &QTimer::timeout, this, [this] { Finish(); });
}

WorkAreaProbe::~WorkAreaProbe() = default;

void WorkAreaProbe::Start() {
  window_ = std::make_unique<QWindow>();
  window_->setFlags(Qt::Window | Qt::FramelessWindowHint | Qt::WindowDoesNotAcceptFocus);
  window_->setTitle(QStringLiteral("work area"));
  window_->resize(1, 1);
  window_->installEventFilter(this);
  // Asked of the window the compositor knows: Qt sends no state asked before.
  window_->show();
  window_->setWindowState(Qt::WindowMaximized);
  give_up_.start();
}

bool WorkAreaProbe::eventFilter(QObject* watched, QEvent* event) {
  if (window_ && watched == window_.get() &&
      (event->type() == QEvent::Resize || event->type() == QEvent::WindowStateChange)) {
    const QSize size = window_->size();
    if (!answered_ && window_->windowState() == Qt::WindowMaximized && size.width() > 1 &&
        size.height() > 1) {
      answered_ = true;
      // Told after the probe is gone: the window goes away within this event otherwise.
      QMetaObject::invokeMethod(
          this,
          [this, size] {
            Finish();
            if (found_) found_(size);
          },
          Qt::QueuedConnection);
    }
  }
  return QObject::eventFilter(watched, event);
}

void WorkAreaProbe::Finish() {
  give_up_.stop();
  if (window_) {
    window_->removeEventFilter(this);
    window_.reset();
  }
}

}  // namespace tiko
