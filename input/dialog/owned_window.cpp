#include "input/dialog/owned_window.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <QWindow>

namespace tiko {

void OwnWindow(QWidget& window, QWidget* owner) {
  // Customized hints: title, close button or none as the window has them,
  // never minimize or maximize.
  Qt::WindowFlags flags = window.windowFlags() & ~(Qt::WindowType_Mask | Qt::WindowStaysOnTopHint |
                                                   Qt::WindowMinMaxButtonsHint);
  flags |= Qt::Dialog | Qt::CustomizeWindowHint;
  if (owner == nullptr) flags |= Qt::WindowStaysOnTopHint;
  if (flags != window.windowFlags()) window.setWindowFlags(flags);
  if (owner == nullptr) return;
  owner->winId();  // both native windows exist before either is mapped
  window.winId();
  window.windowHandle()->setTransientParent(owner->windowHandle());
}

void BringBack(QWidget& window) {
  if (window.isMinimized()) window.setWindowState(window.windowState() & ~Qt::WindowMinimized);
  window.show();
  window.raise();
  window.activateWindow();
}

void CentreOnScreen(QWidget& window) {
  if (QScreen* screen = QGuiApplication::primaryScreen()) {
    window.move(screen->geometry().center() - QPoint(window.width() / 2, window.height() / 2));
  }
}

}  // namespace tiko
