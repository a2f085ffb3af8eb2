#include "display/compositor_watch.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <cstdlib>
#include <string>

#ifdef TIKO_HAVE_XCB
#include <xcb/xcb.h>
#endif
#ifdef TIKO_HAVE_XFIXES
#include <xcb/xfixes.h>
#endif

namespace tiko {

namespace {

#ifdef TIKO_HAVE_XCB
xcb_connection_t* X11Connection() {
  auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
  return x11 != nullptr ? x11->connection() : nullptr;
}

// A compositing manager owns the selection _NET_WM_CM_S0.
xcb_atom_t CompositorSelection(xcb_connection_t* connection, bool only_if_exists) {
  const std::string name = "_NET_WM_CM_S0";
  xcb_intern_atom_reply_t* atom =
      xcb_intern_atom_reply(connection,
                            xcb_intern_atom(connection, only_if_exists,
                                            static_cast<std::uint16_t>(name.size()), name.c_str()),
                            nullptr);
  if (atom == nullptr) return XCB_ATOM_NONE;
  const xcb_atom_t selection = atom->atom;
  std::free(atom);
  return selection;
}

bool Owned(xcb_connection_t* connection, xcb_atom_t selection) {
  if (connection == nullptr || selection == XCB_ATOM_NONE) return false;
  xcb_get_selection_owner_reply_t* owner = xcb_get_selection_owner_reply(
      connection, xcb_get_selection_owner(connection, selection), nullptr);
  if (owner == nullptr) return false;
  const bool owned = owner->owner != XCB_NONE;
  std::free(owner);
  return owned;
}
#endif

}  // namespace

bool CompositorRunning() {
  const QString platform = QGuiApplication::platformName();
  if (platform.startsWith(QLatin1String("wayland"))) return true;
#ifdef TIKO_HAVE_XCB
  if (platform == QLatin1String("xcb")) {
    xcb_connection_t* connection = X11Connection();
    return connection != nullptr && Owned(connection, CompositorSelection(connection, true));
  }
#endif
  return false;
}

std::unique_ptr<CompositorWatch> CompositorWatch::Install(std::function<void(bool)> changed) {
#ifdef TIKO_HAVE_XFIXES
  if (QGuiApplication::platformName() != QLatin1String("xcb")) return nullptr;
  xcb_connection_t* connection = X11Connection();
  if (connection == nullptr) return nullptr;
  const xcb_query_extension_reply_t* xfixes = xcb_get_extension_data(connection, &xcb_xfixes_id);
  if (xfixes == nullptr || !xfixes->present) return nullptr;
  // Qt has agreed on a version already; asking again costs no wait.
  xcb_discard_reply(connection, xcb_xfixes_query_version(connection, 5, 0).sequence);
  const xcb_atom_t selection = CompositorSelection(connection, false);
  if (selection == XCB_ATOM_NONE) return nullptr;
  const xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(connection)).data;
  if (screen == nullptr) return nullptr;
  xcb_xfixes_select_selection_input(connection, screen->root, selection,
                                    XCB_XFIXES_SELECTION_EVENT_MASK_SET_SELECTION_OWNER |
                                        XCB_XFIXES_SELECTION_EVENT_MASK_SELECTION_WINDOW_DESTROY |
                                        XCB_XFIXES_SELECTION_EVENT_MASK_SELECTION_CLIENT_CLOSE);
  xcb_flush(connection);
  std::unique_ptr<CompositorWatch> watch(
      new CompositorWatch(std::move(changed), xfixes->first_event, selection));
  QCoreApplication::instance()->installNativeEventFilter(watch.get());
  return watch;
#else
  (void)changed;
  return nullptr;
#endif
}

bool CompositorWatch::Running() const {
#ifdef TIKO_HAVE_XFIXES
  return Owned(X11Connection(), atom_);
#else
  return false;
#endif
}

CompositorWatch::~CompositorWatch() {
  if (QCoreApplication::instance() != nullptr) {
    QCoreApplication::instance()->removeNativeEventFilter(this);
  }
}

bool CompositorWatch::nativeEventFilter(const QByteArray& type, void* message, qintptr*) {
#ifdef TIKO_HAVE_XFIXES
  if (type != "xcb_generic_event_t") return false;
  const auto* event = static_cast<const xcb_generic_event_t*>(message);
  if ((event->response_type & 0x7f) != first_event_ + XCB_XFIXES_SELECTION_NOTIFY) return false;
  const auto* notify = static_cast<const xcb_xfixes_selection_notify_event_t*>(message);
  if (notify->selection != atom_) return false;
  changed_(notify->subtype == XCB_XFIXES_SELECTION_EVENT_SET_SELECTION_OWNER &&
           notify->owner != XCB_NONE);
#else
  (void)type;
  (void)message;
#endif
  return false;  // Qt may follow the selection too
}

}  // namespace tiko
