// Loading the nine key bindings and dispatching key presses and releases.
#include <string>

#include "engine/unit.h"

namespace tiko {

void Unit::LoadKeyBindings() {
  std::array<int, kBindingCount + 1> choices{};
  // All nine are read before any is written back.
  for (int n = 1; n <= kBindingCount; ++n) {
    const BindingInfo& info = kBindingInfo[n];
    choices[n] = ports_.store ? ports_.store->ReadInteger(std::string(info.setting), info.default_choice)
                              : info.default_choice;
  }
  for (int n = 1; n <= kBindingCount; ++n) {
    key_bindings[n].key_choice = choices[n];
    if (ports_.store) ports_.store->WriteInteger(std::string(kBindingInfo[n].setting), choices[n]);
    AssignWord(n, key_bindings[n]);
  }
}

namespace {

int FindBinding(const std::array<KeyBinding, kBindingCount + 1>& bindings, int key) {
  for (int n = 1; n <= kBindingCount; ++n) {
    if (bindings[n].key_code != 0 && bindings[n].key_code == key) return n;
  }
  return 0;
}

}  // namespace

void Unit::FormKeyDown(int key) {
  switch (FindBinding(key_bindings, key)) {
    case 1: return Inp_game_a_down();
    case 2: return Inp_game_b_down();
    case 3: return Inp_time_down();
    case 4: return vars.mode == mode::kClosed ? Inp_open_down() : Inp_acl_down();
    case 5: return Inp_up_down();
    case 6: return Inp_left_down();
    case 7: return Inp_right_down();
    case 8: return Inp_down_down();
    case 9: return Inp_jump_down();
    default: return;
  }
}

void Unit::FormKeyUp(int key) {
  switch (FindBinding(key_bindings, key)) {
    case 1: return Inp_game_a_up();
    case 2: return Inp_game_b_up();
    case 3: return Inp_time_up();
    case 4:
      if (vars.mode > mode::kClosed) Inp_acl_up();
      return;
    case 5: return Inp_up_up();
    case 6: return Inp_left_up();
    case 7: return Inp_right_up();
    case 8: return Inp_down_up();
    case 9: return Inp_jump_up();
    default: return;
  }
}

}  // namespace tiko
