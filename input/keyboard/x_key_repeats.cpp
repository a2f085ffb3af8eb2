#include "input/keyboard/x_key_repeats.h"

#include <QCoreApplication>
#include <QGuiApplication>

#ifdef TIKO_HAVE_XKB_X11
#include <xcb/xcb.h>
#endif

namespace tiko {

std::unique_ptr<XKeyRepeats> XKeyRepeats::Install(std::function<unsigned()> window,
                                                  HeldKeys& keys) {
#ifndef TIKO_HAVE_XKB_X11
  return nullptr;
#else
  auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
  if (!x11 || !x11->connection()) return nullptr;
  auto repeats = std::make_unique<XKeyRepeats>(std::move(window), keys);
  QCoreApplication::instance()->installNativeEventFilter(repeats.get());
  repeats->installed_ = true;
  return repeats;
#endif
}

XKeyRepeats::~XKeyRepeats() {
  if (installed_ && QCoreApplication::instance())
    QCoreApplication::instance()->removeNativeEventFilter(this);
}

bool XKeyRepeats::nativeEventFilter(const QByteArray& type, void* message, qintptr*) {
#ifndef TIKO_HAVE_XKB_X11
  return false;
#else
  if (type != "xcb_generic_event_t") return false;
  const auto* event = static_cast<const xcb_generic_event_t*>(message);
  const std::uint8_t kind = event->response_type & 0x7f;
  if (kind != XCB_KEY_PRESS && kind != XCB_KEY_RELEASE) return false;
  // Press and release share one layout.
  const auto* key = static_cast<const xcb_key_press_event_t*>(message);
  const unsigned window = window_();
  if (window == 0 || key->event != window) return false;
  if (kind == XCB_KEY_RELEASE) {
    // Qt would hand the release on after the press taken here: both go now,
    // in the server's order.
    if (!keys_.IsDown(key->detail)) return false;
    keys_.Released(key->detail, key->time);
    return true;
  }
  if (!keys_.IsRepeat(key->detail, key->time)) return false;
  keys_.Pressed(key->detail, key->time, [] { return 0; });
  return true;
#endif
}

}  // namespace tiko
