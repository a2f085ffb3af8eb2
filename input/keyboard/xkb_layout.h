// The keyboard layout of the X server, read through xkbcommon: the symbols
// each key carries in the active group, whatever modifiers are held. The
// keymap is read again after the layout changes (setxkbmap, xmodmap).
#pragma once

#include <cstdint>
#include <memory>
#include <optional>

#include "input/keyboard/key_codes.h"

namespace tiko {

class XkbLayout {
 public:
  // The layout of the application's X connection; null on other platforms or
  // without the XKB extension.
  static XkbLayout* OfApplication();

  ~XkbLayout();
  // The first two levels of `keycode` in the group of the X state `x_state`.
  std::optional<KeySyms> SymsOf(std::uint32_t keycode, std::uint32_t x_state);

 private:
  struct Parts;
  explicit XkbLayout(std::unique_ptr<Parts> parts);
  std::unique_ptr<Parts> parts_;
};

}  // namespace tiko
