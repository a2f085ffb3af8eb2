// The LCD drawing operations: switching segment groups and writing numbers
// into the four digit places.
#include "engine/unit.h"

namespace tiko {

using namespace seg;

void Unit::Vid_Show_Digit(int place, int digit) {
  scene.SetPicture(panel_digit_seg[place], digit < 0 ? kNoImage : panel_number_seg[digit]);
}

void Unit::Vid_Show_All(bool on) {
  for (int place = 1; place <= 4; ++place) Show(panel_digit_seg[place]);
  if (on) {
    Vid_Show_Digit(1, 1);
    Vid_Show_Digit(2, 2);
    Vid_Show_Digit(3, 0);
    Vid_Show_Digit(4, 0);
  } else {
    for (int place = 1; place <= 4; ++place) Vid_Show_Digit(place, -1);
  }
  Vid_Show_Panel_Miss(on ? 3 : 0);
  for (int k = 1; k <= 3; ++k) Set(panel_alarm_seg[k], on);
  Set(im_game_background, on);
  Set(im_panel_time_am, on);
  Hide(im_panel_time_pm);
  Set(im_panel_time_colon, on);
  Set(im_panel_game_a, on);
  Set(im_panel_game_b, on);
  Vid_Show_All_Hero(on);
  Vid_Show_All_Crows(on);
  Vid_Show_All_Coconuts(on);
  Vid_Show_All_Umbrellas(on);
  Vid_Show_All_Balloons(on);
  Vid_Show_All_Garu_Body(on);
  Vid_Show_All_Garu_Chains(on);
  Vid_Show_All_Keys(on);
  Vid_Show_All_Miss(on);
}

void Unit::Vid_Show_All_Hero(bool on) {
  Set(tiko_hand_1_1_seg[1], on);
  Set(tiko_hand_1_1_seg[2], on);
  for (int c = 1; c <= 6; ++c) Set(tiko_seg[c][1], on);
  for (int c = 1; c <= 3; ++c) {
    Set(tiko_seg[c][2], on);
    Set(tiko_seg[c][5], on);
  }
  Set(tiko_seg[5][2], on);
  Set(tiko_seg[6][2], on);
  for (int c = 1; c <= 6; ++c) Set(tiko_seg[c][3], on);
  for (int c = 1; c <= 6; ++c) Set(tiko_seg[c][4], on);
  for (int r = 2; r <= 4; ++r) Set(tiko_hand_6_seg[r], on);
  Set(im_tiko_victory, on);
}

void Unit::Vid_Show_All_Crows(bool on) {
  Set(crow_seg[4][0], on);
  Set(crow_seg[5][0], on);
  for (int row = 1; row <= 3; ++row) {
    for (int c = 1; c <= 5; ++c) Set(crow_seg[c][row], on);
  }
  for (int c = 1; c <= 4; ++c) Set(crow_seg[c][4], on);
  for (int c = 1; c <= 5; ++c) Set(crow_seg[c][5], on);
}

void Unit::Vid_Show_All_Coconuts(bool on) {
  for (int k = 0; k <= 5; ++k) Set(coconut_seg[k], on);
}

void Unit::Vid_Show_All_Umbrellas(bool on) {
  for (int k = 1; k <= 5; ++k) Set(umbrella_seg[k], on);
}

void Unit::Vid_Show_All_Balloons(bool on) {
  for (int k = 0; k <= 5; ++k) Set(balloon_seg[k], on);
}

void Unit::Vid_Show_All_Garu_Body(bool on) {
  for (int k = 2; k <= 4; ++k) {
    Set(garu_arm_seg[k], on);
    Set(garu_lock_seg[k], on);
  }
  Set(im_garu_body, on);
  Set(im_garu_arm_r1, on);
  Set(im_garu_arm_r2, on);
}

void Unit::Vid_Show_All_Garu_Chains(bool on) {
  for (int k = 1; k <= 4; ++k) Set(garu_chain_seg[k], on);
}

void Unit::Vid_Show_All_Keys(bool on) {
  Set(key_seg[1], on);
  Set(key_seg[2], on);
}

void Unit::Vid_Show_All_Miss(bool on) {
  Set(miss_seg[1], on);
  Set(miss_seg[2], on);
}

void Unit::Vid_Show_Panel_Miss(int count) {
  Set(panel_miss_seg[0], count > 0);
  for (int i = 1; i <= 3; ++i) Set(panel_miss_seg[i], i <= count);
}

void Unit::Vid_Show_Panel_Score(int value, bool visible) {
  while (value >= 1000) value -= 1000;
  if (value < 0) value = 0;  // never reached: scores only grow from 0
  Vid_Show_Digit(1, -1);
  if (visible) {
    Vid_Show_Digit(2, value / 100);
    Vid_Show_Digit(3, value / 10 % 10);
    Vid_Show_Digit(4, value % 10);
  } else {
    for (int place = 2; place <= 4; ++place) Vid_Show_Digit(place, -1);
  }
}

void Unit::Vid_Show_Hero(bool on) {
  Set(HeroSegAt(vars.hero_col, vars.hero_row), on);
}

void Unit::Vid_Show_Coconut(bool on) {
  if (vars.coconut_pos < 0 || vars.coconut_pos > 5) return;
  Set(coconut_seg[vars.coconut_pos], on);
}

void Unit::Vid_Show_Garu_Arm_Lock(bool on) {
  // Positions 1..6 of Garu's moving arm, as the height of the arm and lock pair.
  static constexpr int kHeightOfPosition[7] = {0, 4, 3, 4, 3, 2, 3};
  if (vars.garu_arm_pos < 1 || vars.garu_arm_pos > 6) return;
  int k = kHeightOfPosition[vars.garu_arm_pos];
  Set(garu_arm_seg[k], on);
  Set(garu_lock_seg[k], on);
}

}  // namespace tiko
