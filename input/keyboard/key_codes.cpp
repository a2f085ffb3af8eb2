#include "input/keyboard/key_codes.h"

#include <xkbcommon/xkbcommon.h>

#include <QChar>
#include <array>
#include <string_view>

namespace tiko {

namespace {

constexpr std::uint32_t kNumberRowFirst = 10;  // the key '1'; '0' is at 19
constexpr std::array<std::uint32_t, 3> kLetterRowFirst = {24, 38, 52};
constexpr std::array<const char*, 3> kLetterRows = {"QWERTYUIOP", "ASDFGHJKL", "ZXCVBNM"};

bool IsDigit(std::uint32_t sym) {
  return sym >= XKB_KEY_0 && sym <= XKB_KEY_9;
}

// The keypad's digits (whatever NumLock says), its plus and its minus.
std::optional<int> KeypadKey(const KeySyms& syms) {
  for (std::uint32_t sym : {syms.unshifted, syms.shifted}) {
    if (sym >= XKB_KEY_KP_0 && sym <= XKB_KEY_KP_9) {
      return vk::kNumpad0 + static_cast<int>(sym - XKB_KEY_KP_0);
    }
  }
  if (syms.unshifted == XKB_KEY_KP_Add) return vk::kAdd;
  if (syms.unshifted == XKB_KEY_KP_Subtract) return vk::kSubtract;
  return std::nullopt;
}

int LatinLetter(std::uint32_t sym) {
  if (sym >= XKB_KEY_a && sym <= XKB_KEY_z) return 'A' + static_cast<int>(sym - XKB_KEY_a);
  if (sym >= XKB_KEY_A && sym <= XKB_KEY_Z) return static_cast<int>(sym);
  return 0;
}

}  // namespace

int UsKeyAt(std::uint32_t keycode) {
  if (keycode >= kNumberRowFirst && keycode < kNumberRowFirst + 10) {
    return '0' + static_cast<int>((keycode - kNumberRowFirst + 1) % 10);
  }
  for (std::size_t row = 0; row < kLetterRows.size(); ++row) {
    const std::string_view letters = kLetterRows[row];
    if (keycode >= kLetterRowFirst[row] && keycode < kLetterRowFirst[row] + letters.size()) {
      return letters[keycode - kLetterRowFirst[row]];
    }
  }
  return 0;
}

std::optional<int> VirtualKeyOfSyms(const KeySyms& syms) {
  if (IsDigit(syms.unshifted)) return static_cast<int>(syms.unshifted);
  // A number row whose digits need Shift, as on a French keyboard.
  if (IsDigit(syms.shifted)) return static_cast<int>(syms.shifted);
  if (auto keypad = KeypadKey(syms)) return keypad;
  if (int letter = LatinLetter(syms.unshifted)) return letter;
  const std::uint32_t character = xkb_keysym_to_utf32(syms.unshifted);
  // Esc, Tab, Enter and the like have control characters: known by what they are.
  if (character < 0x20 || character == 0x7f) return std::nullopt;
  if (character == ' ') return ' ';
  const bool number_row = syms.keycode >= kNumberRowFirst && syms.keycode < kNumberRowFirst + 10;
  // Letters of other scripts take the code of the US letter at their place,
  // as Windows gives them; so does the number row of a layout without digits.
  if ((character > 0x7f && QChar::isLetter(character)) || number_row) return UsKeyAt(syms.keycode);
  // As Windows names them: the key that carries '+' (US "=/+"), and the one with '-'.
  if (syms.unshifted == XKB_KEY_plus || syms.shifted == XKB_KEY_plus ||
      syms.unshifted == XKB_KEY_equal) {
    return vk::kOemPlus;
  }
  if (syms.unshifted == XKB_KEY_minus || syms.shifted == XKB_KEY_minus) return vk::kOemMinus;
  return 0;
}

std::optional<KeySyms> SymsInKeymap(xkb_keymap* keymap, std::uint32_t keycode,
                                    std::uint32_t group) {
  if (keymap == nullptr) return std::nullopt;
  const xkb_layout_index_t groups = xkb_keymap_num_layouts_for_key(keymap, keycode);
  if (groups == 0) return std::nullopt;
  group %= groups;
  auto level = [&](xkb_level_index_t n) -> std::uint32_t {
    const xkb_keysym_t* syms = nullptr;
    const int count = xkb_keymap_key_get_syms_by_level(keymap, keycode, group, n, &syms);
    return count > 0 ? syms[0] : XKB_KEY_NoSymbol;
  };
  return KeySyms{keycode, level(0), level(1)};
}

std::uint32_t GroupTyping(xkb_keymap* keymap, std::uint32_t keycode, std::uint32_t keysym,
                          std::uint32_t otherwise) {
  if (keymap == nullptr || keysym == XKB_KEY_NoSymbol) return otherwise;
  const xkb_layout_index_t groups = xkb_keymap_num_layouts_for_key(keymap, keycode);
  for (xkb_layout_index_t group = 0; group < groups; ++group) {
    if (auto syms = SymsInKeymap(keymap, keycode, group)) {
      if (syms->unshifted == keysym || syms->shifted == keysym) return group;
    }
  }
  return otherwise;
}

}  // namespace tiko
