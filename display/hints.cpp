#include "display/hints.h"

#include "input/gamepad/gamepads.h"

namespace tiko {

namespace {

const std::string& KeyOf(const Unit& unit, int binding) {
  return unit.key_names()[unit.key_bindings()[binding].key_choice];
}

}  // namespace

std::string HintOf(const Unit& unit, ImageId id, bool pad) {
  if (auto control = ControlOfImage(id)) {
    const ControlInfo& info = InfoOf(*control);
    const std::string button = pad ? " or pad " + std::string(PadButtonOf(*control)) : "";
    return "click or press " + KeyOf(unit, info.binding) + button + std::string(info.does);
  }
  switch (id) {
    case btn_alarm_top:
      return "button disabled";
    case btn_cross_top:
      return "activate the controller overlays or use " +
             KeyOf(unit, InfoOf(Control::kUp).binding) + ", " +
             KeyOf(unit, InfoOf(Control::kLeft).binding) + ", " +
             KeyOf(unit, InfoOf(Control::kRight).binding) + ", " +
             KeyOf(unit, InfoOf(Control::kDown).binding) +
             (pad ? ", or the pad's d-pad or left stick" : "");
    default:
      return {};
  }
}

std::string ZoomHint(bool ctrl_bound) {
  return std::string(
             "drag to move; + and - zoom (on the keypad too), as does the mouse wheel; "
             "keypad 0 for 100 %") +
         (ctrl_bound ? "" : ", or Ctrl+0");
}

}  // namespace tiko
