// The mode state machine: the lid, the system buttons and entering each mode.
#include "engine/unit.h"

namespace tiko {

using namespace seg;

void Unit::Inp_open_down() {
  Hide(btn_open);
  Hide(im_background_front);
  Show(im_background_back);
  Show(im_background_screen_top);
  EnterMode(Mode::kAllSegments);
}

void Unit::Inp_acl_down() {
  Show(btn_acl_down);
  if (state_.vars.mode == Mode::kClosed) return;
  EnterMode(Mode::kAclHeld);
}

void Unit::Inp_acl_up() {
  Hide(btn_acl_down);
  if (state_.vars.mode != Mode::kAclHeld) return;
  EnterMode(Mode::kAllSegments);
}

namespace {
// GAME A, GAME B and TIME act only from every segment lit, the clock or game over.
bool AcceptsSystemPress(Mode m) {
  return m == Mode::kAllSegments || m == Mode::kClock || m == Mode::kGameOver;
}
}  // namespace

void Unit::Inp_game_a_down() {
  Show(btn_game_a_down);
  if (!AcceptsSystemPress(state_.vars.mode)) return;
  EnterMode(Mode::kGameAHeld);
}

void Unit::Inp_game_a_up() {
  Hide(btn_game_a_down);
  if (state_.vars.mode != Mode::kGameAHeld) return;
  EnterMode(Mode::kGameA);
}

void Unit::Inp_game_b_down() {
  Show(btn_game_b_down);
  if (!AcceptsSystemPress(state_.vars.mode)) return;
  EnterMode(Mode::kGameBHeld);
}

void Unit::Inp_game_b_up() {
  Hide(btn_game_b_down);
  if (state_.vars.mode != Mode::kGameBHeld) return;
  EnterMode(Mode::kGameB);
}

void Unit::Inp_time_down() {
  Show(btn_time_down);
  if (!AcceptsSystemPress(state_.vars.mode)) return;
  EnterMode(Mode::kTimeHeld);
}

void Unit::Inp_time_up() {
  Hide(btn_time_down);
  if (state_.vars.mode != Mode::kTimeHeld) return;
  EnterMode(Mode::kClock);
}

void Unit::EnterMode(Mode m) {
  state_.vars.mode = m;
  Gam_Set_Mode();
}

void Unit::Gam_Set_Mode() {
  switch (state_.vars.mode) {
    case Mode::kAclHeld:
      Gam_Stop_All_Timers();
      Silence();
      state_.vars.play_active = false;
      break;
    case Mode::kAllSegments:
      Vid_Show_All(true);
      break;
    case Mode::kTimeHeld:
      Gam_Stop_All_Timers();
      Vid_Show_All(false);
      Show(im_game_background);
      Show(panel_alarm_seg[1]);
      Show(panel_alarm_seg[2]);
      Show(im_panel_time_pm);
      Show(im_panel_time_colon);
      Vid_Show_Digit(1, 1);
      Vid_Show_Digit(2, 2);
      Vid_Show_Digit(3, 0);
      Vid_Show_Digit(4, 0);
      state_.vars.play_active = false;
      break;
    case Mode::kClock:
      Gam_Stop_All_Timers();
      Vid_Show_All(false);
      Show(im_game_background);
      Show(panel_alarm_seg[1]);
      Hide(panel_alarm_seg[2]);
      Show(im_panel_time_colon);
      Start(TimerId::Timer_Clock, 1);
      state_.vars.play_active = false;
      break;
    case Mode::kGameAHeld:
    case Mode::kGameBHeld:
      Gam_Stop_All_Timers();
      Vid_Show_All(false);
      if (state_.vars.mode == Mode::kGameAHeld) {
        Show(im_panel_game_a);
        Vid_Show_Panel_Score(state_.vars.hiscore_a, true);
      } else {
        Show(im_panel_game_b);
        Vid_Show_Panel_Score(state_.vars.hiscore_b, true);
      }
      state_.vars.play_active = false;
      break;
    case Mode::kGameA:
    case Mode::kGameB:
      // A new game: nothing is cleared first, the GAME caption stays.
      Show(im_game_background);
      Show(panel_alarm_seg[1]);
      Hide(panel_alarm_seg[2]);
      Hide(panel_alarm_seg[3]);
      state_.vars.hero_col = 1;
      state_.vars.hero_row = 5;
      Vid_Show_Hero(true);
      Show(im_garu_body);
      Show(im_garu_arm_r1);
      state_.vars.garu_arm_pos = 1;
      Vid_Show_Garu_Arm_Lock(true);
      state_.vars.miss_count = 0;
      state_.vars.score = 0;
      Vid_Show_Panel_Score(state_.vars.score, true);
      state_.vars.point_value = 1;
      state_.vars.chance_threshold = 300;
      state_.vars.chains_opened = 0;
      Vid_Show_All_Garu_Chains(true);
      state_.vars.double_score_on = false;
      state_.vars.game_start_step = 1;
      Start(TimerId::Timer_Game_Start, 1);
      state_.vars.key_state = KeyState::kHanging;
      Show(key_seg[1]);
      Start(TimerId::Timer_Key_Blink, 210);
      state_.vars.hero_move_lock = false;
      break;
    default:  // closed, and anything else: nothing
      break;
  }
}

}  // namespace tiko
