#include "input/keyboard/wayland_layout.h"

#include <poll.h>
#include <sys/mman.h>
#include <unistd.h>
#include <wayland-client.h>
#include <xkbcommon/xkbcommon.h>

#include <QGuiApplication>
#include <cstring>

namespace tiko {

struct WaylandLayout::Parts {
  wl_display* display = nullptr;
  wl_registry* registry = nullptr;
  wl_seat* seat = nullptr;
  wl_keyboard* keyboard = nullptr;
  xkb_context* context = nullptr;
  xkb_keymap* keymap = nullptr;

  ~Parts() {
    if (keymap) xkb_keymap_unref(keymap);
    if (context) xkb_context_unref(context);
    if (keyboard) wl_keyboard_destroy(keyboard);
    if (seat) wl_seat_destroy(seat);
    if (registry) wl_registry_destroy(registry);
    if (display) wl_display_disconnect(display);
  }

  void TakeKeymap(std::uint32_t format, int fd, std::uint32_t size) {
    if (format == WL_KEYBOARD_KEYMAP_FORMAT_XKB_V1 && size > 0) {
      void* text = mmap(nullptr, size, PROT_READ, MAP_PRIVATE, fd, 0);
      if (text != MAP_FAILED) {
        // The text ends with a NUL inside `size`; a shorter one is read as far as it goes.
        const auto* chars = static_cast<const char*>(text);
        xkb_keymap* fresh =
            xkb_keymap_new_from_buffer(context, chars, strnlen(chars, size),
                                       XKB_KEYMAP_FORMAT_TEXT_V1, XKB_KEYMAP_COMPILE_NO_FLAGS);
        munmap(text, size);
        if (fresh) {
          if (keymap) xkb_keymap_unref(keymap);
          keymap = fresh;
        }
      }
    }
    close(fd);
  }

  // Reads what the compositor has sent without waiting for more.
  void Pump() {
    while (wl_display_prepare_read(display) != 0) wl_display_dispatch_pending(display);
    wl_display_flush(display);
    pollfd ready{wl_display_get_fd(display), POLLIN, 0};
    if (poll(&ready, 1, 0) > 0) {
      wl_display_read_events(display);
    } else {
      wl_display_cancel_read(display);
    }
    wl_display_dispatch_pending(display);
  }
};

namespace {

using Parts = WaylandLayout::Parts;

void KeymapEvent(void* data, wl_keyboard*, std::uint32_t format, int fd, std::uint32_t size) {
  static_cast<Parts*>(data)->TakeKeymap(format, fd, size);
}
void EnterEvent(void*, wl_keyboard*, std::uint32_t, wl_surface*, wl_array*) {}
void LeaveEvent(void*, wl_keyboard*, std::uint32_t, wl_surface*) {}
void KeyEvent(void*, wl_keyboard*, std::uint32_t, std::uint32_t, std::uint32_t, std::uint32_t) {}
void ModifiersEvent(void*, wl_keyboard*, std::uint32_t, std::uint32_t, std::uint32_t, std::uint32_t,
                    std::uint32_t) {}
const wl_keyboard_listener kKeyboardListener = {KeymapEvent, EnterEvent,     LeaveEvent,
                                                KeyEvent,    ModifiersEvent, nullptr};

void CapabilitiesEvent(void* data, wl_seat* seat, std::uint32_t capabilities) {
  auto* parts = static_cast<Parts*>(data);
  if (parts->keyboard || !(capabilities & WL_SEAT_CAPABILITY_KEYBOARD)) return;
  parts->keyboard = wl_seat_get_keyboard(seat);
  wl_keyboard_add_listener(parts->keyboard, &kKeyboardListener, parts);
}
const wl_seat_listener kSeatListener = {CapabilitiesEvent, nullptr};

void GlobalEvent(void* data, wl_registry* registry, std::uint32_t name, const char* interface,
                 std::uint32_t) {
  auto* parts = static_cast<Parts*>(data);
  if (parts->seat || std::strcmp(interface, wl_seat_interface.name) != 0) return;
  // Version 1: the capabilities and the keymap are all that is read.
  parts->seat = static_cast<wl_seat*>(wl_registry_bind(registry, name, &wl_seat_interface, 1));
  wl_seat_add_listener(parts->seat, &kSeatListener, parts);
}
void GlobalRemoveEvent(void*, wl_registry*, std::uint32_t) {}
const wl_registry_listener kRegistryListener = {GlobalEvent, GlobalRemoveEvent};

}  // namespace

WaylandLayout* WaylandLayout::OfApplication() {
  static WaylandLayout* layout = []() -> WaylandLayout* {
    if (!qGuiApp || !QGuiApplication::platformName().startsWith(QLatin1String("wayland"))) {
      return nullptr;
    }
    auto parts = std::make_unique<Parts>();
    parts->display = wl_display_connect(nullptr);
    parts->context = xkb_context_new(XKB_CONTEXT_NO_FLAGS);
    if (!parts->display || !parts->context) return nullptr;
    parts->registry = wl_display_get_registry(parts->display);
    wl_registry_add_listener(parts->registry, &kRegistryListener, parts.get());
    // The globals, the seat's capabilities, the keyboard's keymap.
    for (int trip = 0; trip < 3; ++trip) {
      if (wl_display_roundtrip(parts->display) < 0) return nullptr;
    }
    // Lives as long as the application.
    return new WaylandLayout(std::move(parts));
  }();
  return layout;
}

WaylandLayout::WaylandLayout(std::unique_ptr<Parts> parts) : parts_(std::move(parts)) {}

WaylandLayout::~WaylandLayout() = default;

std::optional<KeySyms> WaylandLayout::SymsOf(std::uint32_t keycode, std::uint32_t keysym) {
  parts_->Pump();
  xkb_keymap* keymap = parts_->keymap;
  return SymsInKeymap(keymap, keycode, GroupTyping(keymap, keycode, keysym, 0));
}

}  // namespace tiko
