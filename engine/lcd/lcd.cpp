// The LCD drawing operations: switching segment groups and writing numbers
// into the four digit places.
#include "engine/lcd/lcd.h"

#include "engine/segments.h"

namespace tiko::lcd {

using namespace seg;

void Vid_Show_Digit(Scene& scene, int place, int digit) {
  scene.SetPicture(panel_digit_seg[place], digit < 0 ? kNoImage : panel_number_seg[digit]);
}

void Vid_Show_All(Scene& scene, bool on) {
  for (int place = 1; place <= 4; ++place) scene.Show(panel_digit_seg[place]);
  if (on) {
    Vid_Show_Digit(scene, 1, 1);
    Vid_Show_Digit(scene, 2, 2);
    Vid_Show_Digit(scene, 3, 0);
    Vid_Show_Digit(scene, 4, 0);
  } else {
    for (int place = 1; place <= 4; ++place) Vid_Show_Digit(scene, place, -1);
  }
  Vid_Show_Panel_Miss(scene, on ? 3 : 0);
  for (int k = 1; k <= 3; ++k) scene.SetVisible(panel_alarm_seg[k], on);
  scene.SetVisible(im_game_background, on);
  scene.SetVisible(im_panel_time_am, on);
  scene.Hide(im_panel_time_pm);
  scene.SetVisible(im_panel_time_colon, on);
  scene.SetVisible(im_panel_game_a, on);
  scene.SetVisible(im_panel_game_b, on);
  Vid_Show_All_Hero(scene, on);
  Vid_Show_All_Crows(scene, on);
  Vid_Show_All_Coconuts(scene, on);
  Vid_Show_All_Umbrellas(scene, on);
  Vid_Show_All_Balloons(scene, on);
  Vid_Show_All_Garu_Body(scene, on);
  Vid_Show_All_Garu_Chains(scene, on);
  Vid_Show_All_Keys(scene, on);
  Vid_Show_All_Miss(scene, on);
}

void Vid_Show_All_Hero(Scene& scene, bool on) {
  scene.SetVisible(tiko_hand_1_1_seg[1], on);
  scene.SetVisible(tiko_hand_1_1_seg[2], on);
  for (int c = 1; c <= 6; ++c) scene.SetVisible(tiko_seg[c][1], on);
  for (int c = 1; c <= 3; ++c) {
    scene.SetVisible(tiko_seg[c][2], on);
    scene.SetVisible(tiko_seg[c][5], on);
  }
  scene.SetVisible(tiko_seg[5][2], on);
  scene.SetVisible(tiko_seg[6][2], on);
  for (int c = 1; c <= 6; ++c) scene.SetVisible(tiko_seg[c][3], on);
  for (int c = 1; c <= 6; ++c) scene.SetVisible(tiko_seg[c][4], on);
  for (int r = 2; r <= 4; ++r) scene.SetVisible(tiko_hand_6_seg[r], on);
  scene.SetVisible(im_tiko_victory, on);
}

void Vid_Show_All_Crows(Scene& scene, bool on) {
  scene.SetVisible(crow_seg[4][0], on);
  scene.SetVisible(crow_seg[5][0], on);
  for (int row = 1; row <= 3; ++row) {
    for (int c = 1; c <= 5; ++c) scene.SetVisible(crow_seg[c][row], on);
  }
  for (int c = 1; c <= 4; ++c) scene.SetVisible(crow_seg[c][4], on);
  for (int c = 1; c <= 5; ++c) scene.SetVisible(crow_seg[c][5], on);
}

void Vid_Show_All_Coconuts(Scene& scene, bool on) {
  for (int k = 0; k <= 5; ++k) scene.SetVisible(coconut_seg[k], on);
}

void Vid_Show_All_Umbrellas(Scene& scene, bool on) {
  for (int k = 1; k <= 5; ++k) scene.SetVisible(umbrella_seg[k], on);
}

void Vid_Show_All_Balloons(Scene& scene, bool on) {
  for (int k = 0; k <= 5; ++k) scene.SetVisible(balloon_seg[k], on);
}

void Vid_Show_All_Garu_Body(Scene& scene, bool on) {
  for (int k = 2; k <= 4; ++k) {
    scene.SetVisible(garu_arm_seg[k], on);
    scene.SetVisible(garu_lock_seg[k], on);
  }
  scene.SetVisible(im_garu_body, on);
  scene.SetVisible(im_garu_arm_r1, on);
  scene.SetVisible(im_garu_arm_r2, on);
}

void Vid_Show_All_Garu_Chains(Scene& scene, bool on) {
  for (int k = 1; k <= 4; ++k) scene.SetVisible(garu_chain_seg[k], on);
}

void Vid_Show_All_Keys(Scene& scene, bool on) {
  scene.SetVisible(key_seg[1], on);
  scene.SetVisible(key_seg[2], on);
}

void Vid_Show_All_Miss(Scene& scene, bool on) {
  scene.SetVisible(miss_seg[1], on);
  scene.SetVisible(miss_seg[2], on);
}

void Vid_Show_Panel_Miss(Scene& scene, int count) {
  scene.SetVisible(panel_miss_seg[0], count > 0);
  for (int i = 1; i <= 3; ++i) scene.SetVisible(panel_miss_seg[i], i <= count);
}

void Vid_Show_Panel_Score(Scene& scene, int value, bool visible) {
  while (value >= 1000) value -= 1000;
  if (value < 0) value = 0;  // never reached: scores only grow from 0
  Vid_Show_Digit(scene, 1, -1);
  if (visible) {
    Vid_Show_Digit(scene, 2, value / 100);
    Vid_Show_Digit(scene, 3, value / 10 % 10);
    Vid_Show_Digit(scene, 4, value % 10);
  } else {
    for (int place = 2; place <= 4; ++place) Vid_Show_Digit(scene, place, -1);
  }
}

void Vid_Show_Hero(Scene& scene, int col, int row, bool on) {
  scene.SetVisible(HeroSegAt(col, row), on);
}

void Vid_Show_Coconut(Scene& scene, int pos, bool on) {
  if (pos < 0 || pos > 5) return;
  scene.SetVisible(coconut_seg[pos], on);
}

void Vid_Show_Garu_Arm_Lock(Scene& scene, int pos, bool on) {
  // Positions 1..6 of Garu's moving arm, as the height of the arm and lock pair.
  static constexpr int kHeightOfPosition[7] = {0, 4, 3, 4, 3, 2, 3};
  if (pos < 1 || pos > 6) return;
  int k = kHeightOfPosition[pos];
  scene.SetVisible(garu_arm_seg[k], on);
  scene.SetVisible(garu_lock_seg[k], on);
}

}  // namespace tiko::lcd
