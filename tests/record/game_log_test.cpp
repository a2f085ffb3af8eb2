// Games as a recording's header counts them: from the first sight of mode 6
// or 8 to the first sight of another mode, with the score shown then.
#include "engine/game_log.h"

#include <gtest/gtest.h>

namespace tiko {
namespace {

Vars At(int mode, int score) {
  Vars v;
  v.mode = mode;
  v.score = score;
  return v;
}

TEST(GameLog, AGameRunsFromItsModeToTheNextModeWithTheScoreThen) {
  GameLog log;
  log.Observe(At(mode::kAllSegments, 0), 1000);
  log.Observe(At(mode::kGameAHeld, 0), 2000);
  log.Observe(At(mode::kGameA, 0), 3000);
  log.Observe(At(mode::kGameA, 120), 9000);  // the same game, scoring
  log.Observe(At(mode::kGameOver, 123), 10000);
  log.Observe(At(mode::kClock, 123), 20000);
  log.Observe(At(mode::kGameB, 0), 30000);
  log.Observe(At(mode::kAclHeld, 45), 40000);  // ACL ends a game too
  log.Finish(At(mode::kAclHeld, 45));
  ASSERT_EQ(log.games().size(), 2u);
  EXPECT_EQ(log.games()[0].start_ms, 3000);
  EXPECT_EQ(log.games()[0].game, 'A');
  EXPECT_EQ(log.games()[0].score, 123);
  EXPECT_EQ(log.games()[1].game, 'B');
  EXPECT_EQ(log.games()[1].score, 45);
}

TEST(GameLog, AGameStillRunningAtTheEndHasTheScoreItShowsThen) {
  GameLog log;
  log.Observe(At(mode::kGameB, 0), 500);
  log.Observe(At(mode::kGameB, 7), 600);
  log.Finish(At(mode::kGameB, 9));
  ASSERT_EQ(log.games().size(), 1u);
  EXPECT_EQ(log.games()[0].score, 9);
  EXPECT_TRUE(log.games()[0].ended);
  log.Finish(At(mode::kGameB, 50));  // once ended it stays as it was
  EXPECT_EQ(log.games()[0].score, 9);
}

}  // namespace
}  // namespace tiko
