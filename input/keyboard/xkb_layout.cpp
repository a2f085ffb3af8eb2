#include "input/keyboard/xkb_layout.h"

#include <xcb/xcb.h>
#include <xkbcommon/xkbcommon-x11.h>
#include <xkbcommon/xkbcommon.h>

#include <QAbstractNativeEventFilter>
#include <QGuiApplication>

namespace tiko {

namespace {

// XKB event types (xcb/xkb.h cannot be read as C++).
constexpr std::uint8_t kXkbNewKeyboardNotify = 0;
constexpr std::uint8_t kXkbMapNotify = 1;

struct ContextFree {
  void operator()(xkb_context* c) const { xkb_context_unref(c); }
};
struct KeymapFree {
  void operator()(xkb_keymap* k) const { xkb_keymap_unref(k); }
};

// Marks the keymap stale when the server says the keyboard mapping changed.
class MappingWatch : public QAbstractNativeEventFilter {
 public:
  MappingWatch(std::uint8_t xkb_first_event, bool& stale)
      : xkb_first_event_(xkb_first_event), stale_(stale) {}
  bool nativeEventFilter(const QByteArray& type, void* message, qintptr*) override {
    if (type != "xcb_generic_event_t") return false;
    const auto* event = static_cast<const xcb_generic_event_t*>(message);
    const std::uint8_t kind = event->response_type & 0x7f;
    if (kind == XCB_MAPPING_NOTIFY) stale_ = true;
    if (xkb_first_event_ != 0 && kind == xkb_first_event_) {
      const std::uint8_t xkb_type = event->pad0;  // the XKB event's own type
      if (xkb_type == kXkbNewKeyboardNotify || xkb_type == kXkbMapNotify) stale_ = true;
    }
    return false;
  }

 private:
  std::uint8_t xkb_first_event_;
  bool& stale_;
};

}  // namespace

struct XkbLayout::Parts {
  xcb_connection_t* connection = nullptr;
  std::int32_t device = -1;
  std::unique_ptr<xkb_context, ContextFree> context;
  std::unique_ptr<xkb_keymap, KeymapFree> keymap;
  bool stale = true;
  std::unique_ptr<MappingWatch> watch;
};

XkbLayout* XkbLayout::OfApplication() {
  static XkbLayout* layout = []() -> XkbLayout* {
    auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    if (!x11 || !x11->connection()) return nullptr;
    auto parts = std::make_unique<Parts>();
    parts->connection = x11->connection();
    std::uint8_t first_event = 0;
    if (!xkb_x11_setup_xkb_extension(
            parts->connection, XKB_X11_MIN_MAJOR_XKB_VERSION, XKB_X11_MIN_MINOR_XKB_VERSION,
            XKB_X11_SETUP_XKB_EXTENSION_NO_FLAGS, nullptr, nullptr, &first_event, nullptr)) {
      return nullptr;
    }
    parts->device = xkb_x11_get_core_keyboard_device_id(parts->connection);
    parts->context.reset(xkb_context_new(XKB_CONTEXT_NO_FLAGS));
    if (parts->device < 0 || !parts->context) return nullptr;
    parts->watch = std::make_unique<MappingWatch>(first_event, parts->stale);
    qGuiApp->installNativeEventFilter(parts->watch.get());
    // Lives as long as the application's X connection.
    return new XkbLayout(std::move(parts));
  }();
  return layout;
}

XkbLayout::XkbLayout(std::unique_ptr<Parts> parts) : parts_(std::move(parts)) {}

XkbLayout::~XkbLayout() = default;

std::optional<KeySyms> XkbLayout::SymsOf(std::uint32_t keycode, std::uint32_t x_state) {
  Parts& p = *parts_;
  if (p.stale) {
    p.keymap.reset(xkb_x11_keymap_new_from_device(p.context.get(), p.connection, p.device,
                                                  XKB_KEYMAP_COMPILE_NO_FLAGS));
    p.stale = false;
  }
  // The group sits in bits 13 and 14 of the core state.
  return SymsInKeymap(p.keymap.get(), keycode, (x_state >> 13) & 3);
}

}  // namespace tiko
