#include "engine/lcd/lcd.h"

#include <gtest/gtest.h>

#include "engine/segments.h"

namespace tiko::lcd {
namespace {

using namespace seg;

TEST(Lcd, MissMarksFollowTheCount) {
  Scene scene;
  auto marks = [&] {
    std::string s;
    for (int k = 0; k <= 3; ++k) s += scene.Visible(panel_miss_seg[k]) ? '1' : '0';
    return s;
  };
  Vid_Show_Panel_Miss(scene, 0);
  EXPECT_EQ(marks(), "0000");
  Vid_Show_Panel_Miss(scene, 2);
  EXPECT_EQ(marks(), "1110");
  Vid_Show_Panel_Miss(scene, 5);
  EXPECT_EQ(marks(), "1111");
  Vid_Show_Panel_Miss(scene, 1);
  EXPECT_EQ(marks(), "1100");
}

TEST(Lcd, GaruArmPairsRepeatAndPositionZeroChangesNothing) {
  Scene scene;
  Vid_Show_Garu_Arm_Lock(scene, 0, true);
  for (int k = 2; k <= 4; ++k) EXPECT_FALSE(scene.Visible(garu_arm_seg[k]));
  for (int pos : {1, 3}) {
    Vid_Show_Garu_Arm_Lock(scene, pos, true);
    EXPECT_TRUE(scene.Visible(im_garu_arm_l4) && scene.Visible(im_garu_lock_l4));
    Vid_Show_Garu_Arm_Lock(scene, pos, false);
  }
  for (int pos : {2, 4, 6}) {
    Vid_Show_Garu_Arm_Lock(scene, pos, true);
    EXPECT_TRUE(scene.Visible(im_garu_arm_l3) && scene.Visible(im_garu_lock_l3));
    EXPECT_FALSE(scene.Visible(im_garu_arm_l4));
    Vid_Show_Garu_Arm_Lock(scene, pos, false);
  }
  Vid_Show_Garu_Arm_Lock(scene, 5, true);
  EXPECT_TRUE(scene.Visible(im_garu_arm_l2) && scene.Visible(im_garu_lock_l2));
}

TEST(Lcd, ShowAllOffThenOnReadsTwelveAmAndLightsEverySegmentGroup) {
  Scene scene;
  scene.Show(im_panel_time_pm);
  Vid_Show_All(scene, false);
  for (int place = 1; place <= 4; ++place) {
    EXPECT_TRUE(scene.Visible(panel_digit_seg[place]));
    EXPECT_EQ(scene.DigitOf(panel_digit_seg[place]), -1);
  }
  EXPECT_FALSE(scene.Visible(im_game_background));
  Vid_Show_All(scene, true);
  EXPECT_TRUE(scene.Visible(im_panel_time_am));
  EXPECT_FALSE(scene.Visible(im_panel_time_pm));
  EXPECT_EQ(scene.DigitOf(im_panel_digit_1), 1);
  EXPECT_EQ(scene.DigitOf(im_panel_digit_2), 2);
  // Every LCD segment but PM and the never-shown digit templates is lit.
  int lit = 0;
  for (int id = im_game_background; id <= im_miss_2; ++id) {
    if (scene.Visible(ImageId(id))) ++lit;
  }
  EXPECT_EQ(lit, (im_miss_2 - im_game_background + 1) - 1 - 10);
  for (int d = 0; d <= 9; ++d) EXPECT_FALSE(scene.Visible(panel_number_seg[d]));
}

TEST(Lcd, ScoreBlankingKeepsTheMarksAroundTheDigits) {
  Scene scene;
  scene.Show(im_panel_time_colon);
  scene.Show(im_panel_time_am);
  Vid_Show_Panel_Score(scene, 2000, true);
  EXPECT_EQ(scene.DigitOf(im_panel_digit_2), 0);
  EXPECT_EQ(scene.DigitOf(im_panel_digit_4), 0);
  Vid_Show_Panel_Score(scene, 7, false);
  for (int place = 1; place <= 4; ++place) EXPECT_EQ(scene.DigitOf(panel_digit_seg[place]), -1);
  EXPECT_TRUE(scene.Visible(im_panel_time_colon));
  EXPECT_TRUE(scene.Visible(im_panel_time_am));
}

}  // namespace
}  // namespace tiko::lcd
