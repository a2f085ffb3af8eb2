#include <gtest/gtest.h>

#include "tests/engine/unit_fixture.h"

namespace tiko::test {
namespace {

using namespace seg;

TEST(Lcd, MissMarksFollowTheCount) {
  UnitFixture f;
  Unit& u = f.unit;
  auto marks = [&] {
    std::string s;
    for (int k = 0; k <= 3; ++k) s += u.scene.Visible(panel_miss_seg[k]) ? '1' : '0';
    return s;
  };
  u.Vid_Show_Panel_Miss(0);
  EXPECT_EQ(marks(), "0000");
  u.Vid_Show_Panel_Miss(2);
  EXPECT_EQ(marks(), "1110");
  u.Vid_Show_Panel_Miss(5);
  EXPECT_EQ(marks(), "1111");
  u.Vid_Show_Panel_Miss(1);
  EXPECT_EQ(marks(), "1100");
}

TEST(Lcd, GaruArmPairsRepeatAndPositionZeroChangesNothing) {
  UnitFixture f;
  Unit& u = f.unit;
  u.vars.garu_arm_pos = 0;
  u.Vid_Show_Garu_Arm_Lock(true);
  for (int k = 2; k <= 4; ++k) EXPECT_FALSE(u.scene.Visible(garu_arm_seg[k]));
  for (int pos : {1, 3}) {
    u.vars.garu_arm_pos = pos;
    u.Vid_Show_Garu_Arm_Lock(true);
    EXPECT_TRUE(u.scene.Visible(im_garu_arm_l4) && u.scene.Visible(im_garu_lock_l4));
    u.Vid_Show_Garu_Arm_Lock(false);
  }
  for (int pos : {2, 4, 6}) {
    u.vars.garu_arm_pos = pos;
    u.Vid_Show_Garu_Arm_Lock(true);
    EXPECT_TRUE(u.scene.Visible(im_garu_arm_l3) && u.scene.Visible(im_garu_lock_l3));
    EXPECT_FALSE(u.scene.Visible(im_garu_arm_l4));
    u.Vid_Show_Garu_Arm_Lock(false);
  }
  u.vars.garu_arm_pos = 5;
  u.Vid_Show_Garu_Arm_Lock(true);
  EXPECT_TRUE(u.scene.Visible(im_garu_arm_l2) && u.scene.Visible(im_garu_lock_l2));
}

TEST(Lcd, ShowAllOffThenOnReadsTwelveAmAndLightsEverySegmentGroup) {
  UnitFixture f;
  Unit& u = f.unit;
  u.scene.Show(im_panel_time_pm);
  u.Vid_Show_All(false);
  for (int place = 1; place <= 4; ++place) {
    EXPECT_TRUE(u.scene.Visible(panel_digit_seg[place]));
    EXPECT_EQ(u.scene.DigitOf(panel_digit_seg[place]), -1);
  }
  EXPECT_FALSE(u.scene.Visible(im_game_background));
  u.Vid_Show_All(true);
  EXPECT_TRUE(u.scene.Visible(im_panel_time_am));
  EXPECT_FALSE(u.scene.Visible(im_panel_time_pm));
  EXPECT_EQ(u.scene.DigitOf(im_panel_digit_1), 1);
  EXPECT_EQ(u.scene.DigitOf(im_panel_digit_2), 2);
  // Every LCD segment but PM and the never-shown digit templates is lit.
  int lit = 0;
  for (int id = im_game_background; id <= im_miss_2; ++id) {
    if (u.scene.Visible(ImageId(id))) ++lit;
  }
  EXPECT_EQ(lit, (im_miss_2 - im_game_background + 1) - 1 - 10);
  for (int d = 0; d <= 9; ++d) EXPECT_FALSE(u.scene.Visible(panel_number_seg[d]));
}

TEST(Lcd, ScoreBlankingKeepsTheMarksAroundTheDigits) {
  UnitFixture f;
  Unit& u = f.unit;
  u.scene.Show(im_panel_time_colon);
  u.scene.Show(im_panel_time_am);
  u.Vid_Show_Panel_Score(2000, true);
  EXPECT_EQ(u.scene.DigitOf(im_panel_digit_2), 0);
  EXPECT_EQ(u.scene.DigitOf(im_panel_digit_4), 0);
  u.Vid_Show_Panel_Score(7, false);
  for (int place = 1; place <= 4; ++place) EXPECT_EQ(u.scene.DigitOf(panel_digit_seg[place]), -1);
  EXPECT_TRUE(u.scene.Visible(im_panel_time_colon));
  EXPECT_TRUE(u.scene.Visible(im_panel_time_am));
}

}  // namespace
}  // namespace tiko::test
