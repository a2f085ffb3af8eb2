// The crow speed and the chance of a new crow across the score, for both
// games, against the table of resulting intervals.
#include <gtest/gtest.h>

#include "engine/unit.h"
#include "engine/unit_probe.h"

namespace tiko::test {
namespace {

struct Expected {
  int hundreds;
  int a[5];  // Game A interval for n in 0..19, 20..39, ... 80..99
  int b[5];
};

constexpr Expected kIntervals[] = {
    {0, {1000, 930, 860, 790, 720}, {870, 810, 730, 670, 600}},
    {1, {980, 910, 840, 770, 700}, {870, 810, 730, 670, 600}},
    {2, {960, 890, 820, 750, 680}, {770, 710, 630, 570, 500}},
    {5, {900, 830, 760, 690, 620}, {680, 620, 540, 480, 410}},
    {9, {820, 750, 680, 610, 540}, {560, 500, 420, 360, 290}},
    {10, {800, 730, 660, 590, 520}, {530, 470, 390, 330, 260}},
    {23, {800, 730, 660, 590, 520}, {530, 470, 390, 330, 260}},
};

int IntervalAt(Unit& unit, Mode mode, int score) {
  UnitProbe(unit).vars().mode = mode;
  UnitProbe(unit).vars().score = score;
  UnitProbe(unit).SetDifficulty();
  return unit.timers()[TimerId::Timer_Game].interval;
}

TEST(Difficulty, IntervalsFollowTheBandsAndTheHundreds) {
  Unit unit(UnitPorts{});
  for (const Expected& row : kIntervals) {
    for (int band = 0; band < 5; ++band) {
      for (int n : {band * 20, band * 20 + 19}) {
        int score = row.hundreds * 100 + n;
        EXPECT_EQ(IntervalAt(unit, Mode::kGameA, score), row.a[band]) << "Game A at " << score;
        EXPECT_EQ(IntervalAt(unit, Mode::kGameB, score), row.b[band]) << "Game B at " << score;
      }
    }
  }
}

TEST(Difficulty, SpawnRangeByBandAndGame) {
  Unit unit(UnitPorts{});
  const int a[5] = {20, 14, 8, 8, 6};
  const int b[5] = {12, 8, 8, 7, 6};
  for (int band = 0; band < 5; ++band) {
    IntervalAt(unit, Mode::kGameA, band * 20 + 5);
    EXPECT_EQ(unit.vars().crow_spawn_range, a[band]);
    IntervalAt(unit, Mode::kGameA, 300 + band * 20 + 5);
    EXPECT_EQ(unit.vars().crow_spawn_range, a[band] - 1);  // one less from the first hundred on
    IntervalAt(unit, Mode::kGameB, 300 + band * 20 + 5);
    EXPECT_EQ(unit.vars().crow_spawn_range, b[band]);
  }
}

TEST(Difficulty, OutsideTheGamesNothingChanges) {
  Unit unit(UnitPorts{});
  for (Mode mode : {Mode::kClosed, Mode::kAclHeld, Mode::kAllSegments, Mode::kTimeHeld,
                    Mode::kClock, Mode::kGameAHeld, Mode::kGameBHeld, Mode::kGameOver}) {
    EXPECT_EQ(IntervalAt(unit, mode, 50), 1);
    EXPECT_EQ(unit.vars().crow_spawn_range, 0);
  }
}

// Same interval, same countdown; a band change or a reduction restarts it.
TEST(Difficulty, CountdownRestartsOnlyWhenTheIntervalChanges) {
  Unit unit(UnitPorts{});
  UnitProbe(unit).StopAllTimers();  // only the crow tick runs here
  UnitProbe(unit).vars().mode = Mode::kGameA;
  UnitProbe(unit).vars().score = 10;
  UnitProbe(unit).SetDifficulty();
  UnitProbe(unit).timers().Enable(TimerId::Timer_Game);
  UnitProbe(unit).timers().AdvanceTo(300);
  UnitProbe(unit).vars().score = 11;
  UnitProbe(unit).SetDifficulty();
  EXPECT_EQ(unit.timers().NextDue(), 1000);
  UnitProbe(unit).vars().score = 20;
  UnitProbe(unit).SetDifficulty();
  EXPECT_EQ(unit.timers().NextDue(), 300 + 930);
  UnitProbe(unit).vars().score = 120;
  UnitProbe(unit).SetDifficulty();
  UnitProbe(unit).timers().AdvanceTo(400);
  UnitProbe(unit).vars().score = 121;
  UnitProbe(unit).SetDifficulty();  // 930 then 910: set twice, restarted
  EXPECT_EQ(unit.timers().NextDue(), 400 + 910);
}

}  // namespace
}  // namespace tiko::test
