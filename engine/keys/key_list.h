// The 44 keys a binding may use, their virtual-key codes and names, and the
// nine bindings with their defaults.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace tiko {

inline constexpr int kKeyChoiceCount = 44;
inline constexpr int kBindingCount = 9;

// Virtual-key codes of the choices that are not characters.
namespace vk {
inline constexpr int kShift = 16;
inline constexpr int kControl = 17;
inline constexpr int kMenu = 18;  // Alt
inline constexpr int kSpace = 32;
inline constexpr int kLeft = 37;
inline constexpr int kUp = 38;
inline constexpr int kRight = 39;
inline constexpr int kDown = 40;
}  // namespace vk

// Key code of choice 1..44; 0 outside.
std::uint16_t KeyCodeOfChoice(int choice);
// The dialog's entry text of choice 1..44 ("0", "A", "<UP ARROW>", ...).
std::string KeyEntryText(int choice);

// key_names[1..44], built once at start.
class KeyNames {
 public:
  KeyNames();
  // The name of a choice; outside 1..44 a question mark in quotes.
  const std::string& operator[](int choice) const;

 private:
  std::array<std::string, kKeyChoiceCount + 1> names_;
};

struct KeyBinding {
  int key_choice = 0;
  std::uint16_t key_code = 0;
};

struct BindingInfo {
  std::string_view setting;  // "Key1" .. "Key9"
  int default_choice;
};

inline constexpr std::array<BindingInfo, kBindingCount + 1> kBindingInfo = {{
    {"", 0},
    {"Key1", 2},   // Game A: '1'
    {"Key2", 3},   // Game B: '2'
    {"Key3", 4},   // Time: '3'
    {"Key4", 6},   // open the unit, then ACL: '5'
    {"Key5", 37},  // up arrow
    {"Key6", 39},  // left arrow
    {"Key7", 40},  // right arrow
    {"Key8", 38},  // down arrow
    {"Key9", 42},  // jump: ctrl
}};

// Decodes binding n: its key code follows its choice; a choice outside 1..44
// leaves the key code as it was.
void AssignWord(int n, KeyBinding& binding);

}  // namespace tiko
