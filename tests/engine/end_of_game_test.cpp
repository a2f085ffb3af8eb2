#include <gtest/gtest.h>

#include "tests/engine/unit_fixture.h"

namespace tiko::test {
namespace {

TEST(EndOfGame, HighScoreRuleKeepsTheShownScoreAndOnlyItsOwnGame) {
  UnitFixture f;
  f.store.values["HiScore1"] = "200";
  f.store.values["HiScore2"] = "300";
  f.Create();
  f.unit.state().vars.mode = 6;
  f.unit.state().vars.score = 1234;
  f.unit.Gam_End_Of_Game();
  EXPECT_EQ(f.unit.vars().score, 234);
  EXPECT_EQ(f.unit.vars().hiscore_a, 234);
  EXPECT_EQ(f.store.values["HiScore1"], "234");
  EXPECT_EQ(f.unit.vars().hiscore_b, 300);
  EXPECT_EQ(f.store.values["HiScore2"], "300");
  EXPECT_EQ(f.unit.vars().mode, 9);
  EXPECT_EQ(f.unit.vars().game_over_step, 1);
  EXPECT_TRUE(f.unit.timers()[TimerId::Timer_Game_Over].enabled);
  EXPECT_EQ(f.unit.timers()[TimerId::Timer_Game_Over].interval, 1000);
}

TEST(EndOfGame, ATieOrALowerScoreWritesNothing) {
  UnitFixture f;
  f.store.values["HiScore2"] = "150";
  f.Create();
  f.store.values.erase("HiScore2");  // a rewrite would show up again
  f.unit.state().vars.mode = 8;
  f.unit.state().vars.score = 150;
  f.unit.Gam_End_Of_Game();
  EXPECT_EQ(f.store.values.count("HiScore2"), 0u);
  f.unit.state().vars.mode = 8;
  f.unit.state().vars.score = 1149;  // shown as 149
  f.unit.Gam_End_Of_Game();
  EXPECT_EQ(f.store.values.count("HiScore2"), 0u);
  EXPECT_EQ(f.unit.vars().hiscore_b, 150);
  f.unit.state().vars.mode = 8;
  f.unit.state().vars.score = 151;
  f.unit.Gam_End_Of_Game();
  EXPECT_EQ(f.store.values["HiScore2"], "151");
}

TEST(EndOfGame, ResetHiscoresStoresZeroForBoth) {
  UnitFixture f;
  f.store.values["HiScore1"] = "12";
  f.store.values["HiScore2"] = "34";
  f.Create();
  f.unit.ResetHiscores();
  EXPECT_EQ(f.unit.vars().hiscore_a, 0);
  EXPECT_EQ(f.unit.vars().hiscore_b, 0);
  EXPECT_EQ(f.store.values["HiScore1"], "0");
  EXPECT_EQ(f.store.values["HiScore2"], "0");
}

}  // namespace
}  // namespace tiko::test
