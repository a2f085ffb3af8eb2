#include "display/hints.h"

namespace tiko {

namespace {

const std::string& KeyOf(const Unit& unit, int binding) {
  return unit.key_names[unit.key_bindings[binding].key_choice];
}

std::string ClickOrPress(const Unit& unit, int binding) {
  return "click or press " + KeyOf(unit, binding);
}

}  // namespace

std::string HintOf(const Unit& unit, ImageId id) {
  switch (id) {
    case btn_open:
      return ClickOrPress(unit, 4) + " to open the game";
    case btn_game_a_top:
      return ClickOrPress(unit, 1) + " to start game A (hold to view highscore)";
    case btn_game_b_top:
      return ClickOrPress(unit, 2) + " to start game B (hold to view highscore)";
    case btn_time_top:
      return ClickOrPress(unit, 3) + " to view current time (hold to view alarm time)";
    case btn_acl_top:
      return ClickOrPress(unit, 4) + " to reset the game";
    case btn_alarm_top:
      return "button disabled";
    case btn_cross_top:
      return "activate the controller overlays or use " + KeyOf(unit, 5) + ", " + KeyOf(unit, 6) +
             ", " + KeyOf(unit, 7) + ", " + KeyOf(unit, 8);
    case btn_jump_top:
      return ClickOrPress(unit, 9);
    case btn_ctrlr_overlay_up:
      return ClickOrPress(unit, 5);
    case btn_ctrlr_overlay_left:
      return ClickOrPress(unit, 6);
    case btn_ctrlr_overlay_right:
      return ClickOrPress(unit, 7);
    case btn_ctrlr_overlay_down:
      return ClickOrPress(unit, 8);
    default:
      return {};
  }
}

}  // namespace tiko
