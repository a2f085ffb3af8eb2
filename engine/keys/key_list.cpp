#include "engine/keys/key_list.h"

namespace tiko {

namespace {

struct SpecialKey {
  std::uint16_t code;
  const char* entry;
  const char* name;
};

// Choices 37..44.
constexpr std::array<SpecialKey, 8> kSpecialKeys = {{
    {vk::kUp, "<UP ARROW>", "'up arrow' key"},
    {vk::kDown, "<DOWN ARROW>", "'down arrow' key"},
    {vk::kLeft, "<LEFT ARROW>", "'left arrow' key"},
    {vk::kRight, "<RIGHT ARROW>", "'right arrow' key"},
    {vk::kMenu, "<ALT>", "'alt' key"},
    {vk::kControl, "<CTRL>", "'ctrl' key"},
    {vk::kShift, "<SHIFT>", "'shift' key"},
    {vk::kSpace, "<SPACEBAR>", "'spacebar'"},
}};

char CharacterOfChoice(int choice) {
  if (choice >= 1 && choice <= 10) return static_cast<char>('0' + choice - 1);
  if (choice >= 11 && choice <= 36) return static_cast<char>('A' + choice - 11);
  return 0;
}

}  // namespace

std::uint16_t KeyCodeOfChoice(int choice) {
  if (char c = CharacterOfChoice(choice)) return static_cast<std::uint16_t>(c);
  if (choice >= 37 && choice <= 44) return kSpecialKeys[choice - 37].code;
  return 0;
}

std::string KeyEntryText(int choice) {
  if (char c = CharacterOfChoice(choice)) return std::string(1, c);
  if (choice >= 37 && choice <= 44) return kSpecialKeys[choice - 37].entry;
  return {};
}

KeyNames::KeyNames() {
  for (int choice = 1; choice <= kKeyChoiceCount; ++choice) {
    if (char c = CharacterOfChoice(choice)) {
      names_[choice] = std::string("'") + c + "'";
    } else {
      names_[choice] = kSpecialKeys[choice - 37].name;
    }
  }
  names_[0] = "'?'";
}

const std::string& KeyNames::operator[](int choice) const {
  if (choice < 1 || choice > kKeyChoiceCount) return names_[0];
  return names_[choice];
}

void AssignWord(int /*n*/, KeyBinding& binding) {
  if (binding.key_choice < 1 || binding.key_choice > kKeyChoiceCount) return;
  binding.key_code = KeyCodeOfChoice(binding.key_choice);
}

}  // namespace tiko
