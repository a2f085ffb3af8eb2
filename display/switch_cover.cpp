#include "display/switch_cover.h"

#include <QGuiApplication>
#include <cstdlib>

#ifdef TIKO_HAVE_XCB
#include <xcb/xcb.h>
#endif

namespace tiko {

#ifdef TIKO_HAVE_XCB
namespace {

xcb_connection_t* Connection() {
  auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
  return x11 != nullptr ? x11->connection() : nullptr;
}

}  // namespace

bool SwitchCover::Show() {
  Remove();
  xcb_connection_t* c = Connection();
  if (c == nullptr) return false;
  const xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(c)).data;
  const std::uint16_t width = screen->width_in_pixels;
  const std::uint16_t height = screen->height_in_pixels;

  // The screen as it shows now, windows included, copied within the server.
  const xcb_pixmap_t still = xcb_generate_id(c);
  xcb_create_pixmap(c, screen->root_depth, still, screen->root, width, height);
  const xcb_gcontext_t gc = xcb_generate_id(c);
  const std::uint32_t inferiors = XCB_SUBWINDOW_MODE_INCLUDE_INFERIORS;
  xcb_create_gc(c, gc, still, XCB_GC_SUBWINDOW_MODE, &inferiors);
  xcb_copy_area(c, screen->root, still, gc, 0, 0, 0, 0, width, height);

  // Its window is the background: shown the moment it maps, above every
  // window and past the window manager.
  window_ = xcb_generate_id(c);
  const std::uint32_t values[] = {still, 1};
  xcb_create_window(c, screen->root_depth, window_, screen->root, 0, 0, width, height, 0,
                    XCB_WINDOW_CLASS_INPUT_OUTPUT, screen->root_visual,
                    XCB_CW_BACK_PIXMAP | XCB_CW_OVERRIDE_REDIRECT, values);
  xcb_map_window(c, window_);
  xcb_free_gc(c, gc);
  xcb_free_pixmap(c, still);  // the window keeps its background
  xcb_flush(c);
  return true;
}

bool SwitchCover::Viewable(std::uintptr_t window) {
  xcb_connection_t* c = Connection();
  if (c == nullptr) return true;
  xcb_get_window_attributes_reply_t* reply = xcb_get_window_attributes_reply(
      c, xcb_get_window_attributes(c, static_cast<xcb_window_t>(window)), nullptr);
  if (reply == nullptr) return true;
  const bool viewable = reply->map_state == XCB_MAP_STATE_VIEWABLE;
  std::free(reply);
  return viewable;
}

void SwitchCover::Remove() {
  if (window_ == 0) return;
  if (xcb_connection_t* c = Connection()) {
    xcb_destroy_window(c, window_);
    xcb_flush(c);
  }
  window_ = 0;
}

#else

bool SwitchCover::Show() {
  return false;
}

void SwitchCover::Remove() {
  window_ = 0;
}

bool SwitchCover::Viewable(std::uintptr_t) {
  return true;
}

#endif

}  // namespace tiko
