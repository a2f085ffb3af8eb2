#include <gtest/gtest.h>

#include <climits>
#include <cstdint>

#include "engine/random.h"
#include "engine/unit_probe.h"
#include "tests/engine/unit_fixture.h"

namespace tiko::test {
namespace {

TEST(Random, FollowsTheGeneratorAndRepeatsForASeed) {
  RandomSource r;
  r.Seed(0);
  // seed 0 -> 1: the upper half of 1 * 100 is 0.
  EXPECT_EQ(r.Random(100), 0);
  EXPECT_EQ(r.SeedValue(), 1u);
  // seed 1 -> 134775814; 134775814 * 100 >> 32 = 3.
  EXPECT_EQ(r.Random(100), 3);
  RandomSource a, b;
  a.Seed(123456789);
  b.Seed(123456789);
  for (int i = 0; i < 1000; ++i) {
    int x = a.Random(20);
    ASSERT_EQ(x, b.Random(20));
    ASSERT_GE(x, 0);
    ASSERT_LT(x, 20);
  }
  for (int i = 0; i < 100; ++i) EXPECT_EQ(a.Random(1), 0);
}

TEST(Timers, SameIntervalKeepsTheCountdownANewOneRestartsIt) {
  TimerBank t;
  t.Start(TimerId::Timer_Game, 1000);
  t.AdvanceTo(600);
  t.SetInterval(TimerId::Timer_Game, 1000);
  EXPECT_EQ(t[TimerId::Timer_Game].due, 1000);
  t.SetInterval(TimerId::Timer_Game, 900);
  EXPECT_EQ(t[TimerId::Timer_Game].due, 1500);
  t.Enable(TimerId::Timer_Game);  // already running: nothing
  EXPECT_EQ(t[TimerId::Timer_Game].due, 1500);
  t.Disable(TimerId::Timer_Game);
  t.Enable(TimerId::Timer_Game);  // off and on again restarts
  EXPECT_EQ(t[TimerId::Timer_Game].due, 1500);
  t.AdvanceTo(700);
  t.Disable(TimerId::Timer_Game);
  t.Enable(TimerId::Timer_Game);
  EXPECT_EQ(t[TimerId::Timer_Game].due, 1600);
}

TEST(Timers, TiesFireInTableOrderAndALateRealTimerFiresOnce) {
  TimerBank t;
  t.Disable(TimerId::Timer_Tiko_Step);
  t.Start(TimerId::Timer_Umbrella_Balloon, 100);
  t.Start(TimerId::Timer_Chance, 100);
  auto first = t.PopDue(100, false);
  auto second = t.PopDue(100, false);
  ASSERT_TRUE(first && second);
  EXPECT_EQ(*first, TimerId::Timer_Chance);
  EXPECT_EQ(*second, TimerId::Timer_Umbrella_Balloon);
  EXPECT_FALSE(t.PopDue(100, false));

  // Ten intervals late on a real clock: one tick, next one an interval later.
  int ticks = 0;
  while (auto id = t.PopDue(1100, true)) {
    if (*id == TimerId::Timer_Chance) ++ticks;
  }
  EXPECT_EQ(ticks, 1);
  EXPECT_EQ(t[TimerId::Timer_Chance].due, 1200);
}

TEST(Timers, AnIntervalBelowOneNeverFiresAndCannotHangTheLoop) {
  UnitFixture f;
  f.Create();
  Unit& u = f.unit;
  UnitProbe(u).timers().Disable(TimerId::Timer_Tiko_Step);
  UnitProbe(u).timers().Start(TimerId::Timer_Game, 0);
  UnitProbe(u).timers().Start(TimerId::Timer_Chance, -5);
  UnitProbe(u).timers().Start(TimerId::Timer_Clock, 1000);
  EXPECT_EQ(u.timers().NextDue(), 1000);
  u.RunUntil(5000);  // returns: the two stuck timers are skipped
  u.Stall(4000);
  EXPECT_FALSE(UnitProbe(u).timers().PopDue(9000, false));
  EXPECT_TRUE(u.timers()[TimerId::Timer_Game].enabled);

  // A proper interval later starts it counting from then.
  UnitProbe(u).timers().SetInterval(TimerId::Timer_Game, 50);
  EXPECT_EQ(u.timers()[TimerId::Timer_Game].due, 9050);
  EXPECT_EQ(UnitProbe(u).timers().PopDue(9050, false), TimerId::Timer_Game);
}

TEST(Timers, VirtualTimeStopsShortOfOverflow) {
  UnitFixture f;
  f.Create();
  Unit& u = f.unit;
  UnitProbe(u).StopAllTimers();
  u.RunUntil(INT64_MAX);
  EXPECT_EQ(u.Now(), kLastVirtualMs);
  // Timers armed at the end are due beyond it, and never fire.
  UnitProbe(u).timers().Start(TimerId::Timer_Game, INT_MAX);
  UnitProbe(u).timers().Start(TimerId::Timer_Clock, 1);
  EXPECT_EQ(u.timers().NextDue(), kLastVirtualMs + 1);
  u.RunUntil(INT64_MAX);
  u.Stall(INT64_MAX);
  EXPECT_EQ(u.timers()[TimerId::Timer_Game].due, kLastVirtualMs + INT_MAX);
  EXPECT_EQ(u.Now(), kLastVirtualMs);
}

TEST(Timers, StopAllStopsTheClockAndTheStepTimerToo) {
  UnitFixture f;
  f.Create();
  UnitProbe(f.unit).timers().Start(TimerId::Timer_Clock, 1000);
  EXPECT_TRUE(f.unit.timers()[TimerId::Timer_Tiko_Step].enabled);
  UnitProbe(f.unit).StopAllTimers();
  for (int i = 0; i < kTimerCount; ++i) EXPECT_FALSE(f.unit.timers()[TimerId(i)].enabled);
}

TEST(Timers, AHandlerChangingItsOwnIntervalSetsTheNextTick) {
  UnitFixture f;
  f.Create();
  Unit& u = f.unit;
  u.Press(Control::kOpen);
  u.Press(Control::kTime);
  u.Release(Control::kTime);  // the clock: first tick at once, then every second
  u.RunUntil(1);
  EXPECT_EQ(u.timers()[TimerId::Timer_Clock].interval, 1000);
  EXPECT_EQ(u.timers()[TimerId::Timer_Clock].due, 1001);
}

}  // namespace
}  // namespace tiko::test
