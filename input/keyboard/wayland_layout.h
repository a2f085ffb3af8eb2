// The keyboard layout of the Wayland compositor, read through xkbcommon: the
// keymap the compositor hands every keyboard of the seat. Qt keeps its own
// keyboard to itself, so the keymap comes over a connection of our own; the
// compositor sends it again whenever the layout or the active keyboard
// changes, and that is read before each key.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>

#include "input/keyboard/key_codes.h"

namespace tiko {

class WaylandLayout {
 public:
  // The layout of the application's compositor; null on other platforms or
  // when the compositor cannot be reached.
  static WaylandLayout* OfApplication();

  ~WaylandLayout();
  // The first two levels of `keycode` (evdev + 8) in the group in which the
  // key typed `keysym`; empty while the compositor has sent no keymap.
  std::optional<KeySyms> SymsOf(std::uint32_t keycode, std::uint32_t keysym);

  struct Parts;  // the connection and the keymap, known to wayland_layout.cpp only

 private:
  explicit WaylandLayout(std::unique_ptr<Parts> parts);
  std::unique_ptr<Parts> parts_;
};

}  // namespace tiko
