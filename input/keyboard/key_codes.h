// The virtual-key code Windows gives a key, worked out from the symbols the
// active layout puts on it rather than from the character it types now: the
// number row gives '0'..'9' on every layout, shifted or not, and a letter key
// the letter it carries.
#pragma once

#include <cstdint>
#include <optional>

struct xkb_keymap;

namespace tiko {

// Virtual-key codes of keys no binding can use.
namespace vk {
inline constexpr int kNumpad0 = 96;  // to 105 for keypad 9
inline constexpr int kAdd = 107;
inline constexpr int kSubtract = 109;
inline constexpr int kOemPlus = 187;
inline constexpr int kOemMinus = 189;
}  // namespace vk

// A key and the keysyms of its first two levels in the active layout group.
struct KeySyms {
  std::uint32_t keycode = 0;  // xkb key code: the evdev code + 8, as on X
  std::uint32_t unshifted = 0;
  std::uint32_t shifted = 0;
};

// The code of a key that types a character: a digit, a letter, a keypad key,
// the '+' or the '-' key, 0 for any other character. Empty for a key that types none (arrows,
// Ctrl, F12, ...), which is known by what it is instead.
std::optional<int> VirtualKeyOfSyms(const KeySyms& syms);

// The first two levels of `keycode` in `group` of an xkbcommon keymap, the
// same on X and Wayland; a key with fewer groups wraps around, as servers do.
// Empty for a key the keymap does not have.
std::optional<KeySyms> SymsInKeymap(xkb_keymap* keymap, std::uint32_t keycode, std::uint32_t group);

// The group in which `keycode` has `keysym` on one of its first two levels,
// for platforms that tell the keysym typed but not the group; `otherwise`
// when no group has it (Caps Lock, a third level).
std::uint32_t GroupTyping(xkb_keymap* keymap, std::uint32_t keycode, std::uint32_t keysym,
                          std::uint32_t otherwise);

// The digit or letter at this place of a US keyboard (X key codes over evdev), or 0.
int UsKeyAt(std::uint32_t keycode);

}  // namespace tiko
