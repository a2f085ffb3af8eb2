// The unit's one way in for its controls, and the nine key bindings that lead
// to it.
#include <string>

#include "engine/unit.h"

namespace tiko {

void Unit::Press(Control control) {
  switch (control) {
    case Control::kOpen:
      return Inp_open_down();
    case Control::kAcl:
      return Inp_acl_down();
    case Control::kGameA:
      return Inp_game_a_down();
    case Control::kGameB:
      return Inp_game_b_down();
    case Control::kTime:
      return Inp_time_down();
    case Control::kUp:
      return Inp_up_down();
    case Control::kDown:
      return Inp_down_down();
    case Control::kLeft:
      return Inp_left_down();
    case Control::kRight:
      return Inp_right_down();
    case Control::kJump:
      return Inp_jump_down();
  }
}

void Unit::Release(Control control) {
  switch (control) {
    case Control::kOpen:
      return;  // the lid stays open
    case Control::kAcl:
      return Inp_acl_up();
    case Control::kGameA:
      return Inp_game_a_up();
    case Control::kGameB:
      return Inp_game_b_up();
    case Control::kTime:
      return Inp_time_up();
    case Control::kUp:
      return Inp_up_up();
    case Control::kDown:
      return Inp_down_up();
    case Control::kLeft:
      return Inp_left_up();
    case Control::kRight:
      return Inp_right_up();
    case Control::kJump:
      return Inp_jump_up();
  }
}

void Unit::LoadKeyBindings() {
  key_bindings_.Load(ports_.store);
}

void Unit::AcceptKeys(const std::array<int, kBindingCount>& choices) {
  for (int n = 1; n <= kBindingCount; ++n) key_bindings_.Set(ports_.store, n, choices[n - 1]);
}

std::optional<Control> Unit::ControlOfKey(int key) const {
  if (auto n = key_bindings_.BindingOf(key)) return ControlOfBinding(*n, state_.vars.mode);
  return std::nullopt;
}

void KeyBindings::Load(SettingsStore* store) {
  std::array<int, kBindingCount + 1> choices{};
  for (int n = 1; n <= kBindingCount; ++n) {
    const BindingInfo& info = kBindingInfo[n];
    choices[n] = store ? store->ReadInteger(std::string(info.setting), info.default_choice)
                       : info.default_choice;
  }
  for (int n = 1; n <= kBindingCount; ++n) Set(store, n, choices[n]);
}

void KeyBindings::Set(SettingsStore* store, int n, int choice) {
  if (n < 1 || n > kBindingCount) return;
  bindings_[n].key_choice = choice;
  if (store) store->WriteInteger(std::string(kBindingInfo[n].setting), choice);
  AssignWord(n, bindings_[n]);
}

std::optional<int> KeyBindings::BindingOf(int key) const {
  for (int n = 1; n <= kBindingCount; ++n) {
    if (bindings_[n].key_code != 0 && bindings_[n].key_code == key) return n;
  }
  return std::nullopt;
}

void Unit::FormKeyDown(int key) {
  if (auto control = ControlOfKey(key)) Press(*control);
}

void Unit::FormKeyUp(int key) {
  if (auto control = ControlOfKey(key)) Release(*control);
}

}  // namespace tiko
