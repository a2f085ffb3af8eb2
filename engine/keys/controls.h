// The unit's controls and the one table every front end reads them from: the
// key binding that drives each, the button picture the mouse presses, the name
// tiko-script knows it by and what its hint says it does.
#pragma once

#include <array>
#include <optional>
#include <string_view>

#include "engine/image_id.h"
#include "engine/vars.h"

namespace tiko {

// The lid's open button and ACL are two buttons of the unit; one key binding
// (and one gamepad button) drives both: the lid while the unit is closed, ACL
// once it is open.
enum class Control { kOpen, kAcl, kGameA, kGameB, kTime, kUp, kDown, kLeft, kRight, kJump };

inline constexpr int kControlCount = 10;

struct ControlInfo {
  Control control;
  std::string_view name;  // tiko-script's button name
  std::string_view pad;   // the game controller's button that drives it, as hints name it
  int binding;            // the key binding 1..9 that drives it
  ImageId image;          // the picture the mouse presses
  bool has_release;       // the lid has no release operation
  std::string_view does;  // the end of its hint, after the key
};

inline constexpr std::array<ControlInfo, kControlCount> kControls = {{
    {Control::kOpen, "open", "LB", 4, btn_open, false, " to open the game"},
    {Control::kAcl, "acl", "LB", 4, btn_acl_top, true, " to reset the game"},
    {Control::kGameA, "game_a", "Start", 1, btn_game_a_top, true,
     " to start game A (hold to view highscore)"},
    {Control::kGameB, "game_b", "Back", 2, btn_game_b_top, true,
     " to start game B (hold to view highscore)"},
    {Control::kTime, "time", "RB", 3, btn_time_top, true,
     " to view current time (hold to view alarm time)"},
    {Control::kUp, "up", "up", 5, btn_ctrlr_overlay_up, true, ""},
    {Control::kDown, "down", "down", 8, btn_ctrlr_overlay_down, true, ""},
    {Control::kLeft, "left", "left", 6, btn_ctrlr_overlay_left, true, ""},
    {Control::kRight, "right", "right", 7, btn_ctrlr_overlay_right, true, ""},
    {Control::kJump, "jump", "A/B", 9, btn_jump_top, true, ""},
}};

inline constexpr const ControlInfo& InfoOf(Control control) {
  return kControls[static_cast<int>(control)];
}

// The control a key binding drives in `mode`: binding 4 opens the closed unit
// and is ACL once it is open, for the press and for the release alike.
std::optional<Control> ControlOfBinding(int binding, Mode mode);

// The control whose picture is `image`.
std::optional<Control> ControlOfImage(ImageId image);

// The control tiko-script names `name`.
std::optional<Control> ControlNamed(std::string_view name);

}  // namespace tiko
