#include "display/wayland_window.h"

#include <QGuiApplication>
#include <QWidget>

namespace tiko {

bool OnWayland() {
  return QGuiApplication::platformName().startsWith(QLatin1String("wayland"));
}

void SizeWindow(QWidget& window, QSize size, bool fullscreen) {
  if (!OnWayland()) {
    window.resize(size);
    return;
  }
  if (fullscreen) {
    window.setMinimumSize(0, 0);
    window.setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    window.resize(size);
    window.setWindowState(window.windowState() | Qt::WindowFullScreen);
    return;
  }
  window.setWindowState(window.windowState() & ~(Qt::WindowFullScreen | Qt::WindowMaximized));
  window.setFixedSize(size);
}

}  // namespace tiko
