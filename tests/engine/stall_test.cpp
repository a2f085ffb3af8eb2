// The catch-up after a hold-up, and the unit's own time of day that a
// recording sets to the millisecond.
#include <gtest/gtest.h>

#include "engine/unit.h"
#include "tests/support/memory_store.h"

namespace tiko::test {
namespace {

struct OwnClockUnit {
  MemoryStore store;
  Unit unit{UnitPorts{nullptr, &store, nullptr, nullptr}};
  OwnClockUnit() {
    unit.CreateReadPresentation();
    unit.CreateFinish();
  }
};

TEST(Stall, EachLateTimerFiresOnceAtTheNewTimeAndCountsOnFromThere) {
  OwnClockUnit f;
  Unit& u = f.unit;
  u.Inp_open_down();
  u.Inp_time_down();
  u.Inp_time_up();
  u.RunUntil(1);  // the clock's first tick; then one a second, next at 1001
  u.SetTimeOfDay(((10 * 60 + 59) * 60 + 59) * 1000LL);
  // The score blink's phase alternates 1, 2, 1, ...: its parity counts ticks.
  u.state().vars.score_blink_phase = 1;
  u.state().timers.Start(TimerId::Timer_Score_Blink, 100);  // due at 101, 201, ...

  u.Stall(2500);
  EXPECT_EQ(u.Now(), 2501);
  EXPECT_EQ(u.vars().score_blink_phase, 2);  // once, not 24 times
  EXPECT_EQ(u.timers()[TimerId::Timer_Score_Blink].due, 2601);
  EXPECT_EQ(u.timers()[TimerId::Timer_Clock].due, 3501);
  // The clock read the time at the new now, 11:00:01.500.
  EXPECT_EQ(u.scene().DigitOf(seg::panel_digit_seg[2]), 1);
  EXPECT_EQ(u.scene().DigitOf(seg::panel_digit_seg[3]), 0);

  // Nothing due: time only moves.
  u.Gam_Stop_All_Timers();
  u.Stall(700);
  EXPECT_EQ(u.Now(), 3201);
}

TEST(Stall, OwnTimeOfDayRunsOnTheTimeLineAndWrapsAtMidnight) {
  OwnClockUnit f;
  Unit& u = f.unit;
  EXPECT_EQ(u.TimeOfDayMs(), 0);
  u.RunUntil(1234);
  EXPECT_EQ(u.TimeOfDayMs(), 1234);
  u.SetTimeOfDay(kDayMs - 500);
  EXPECT_EQ(u.TimeOfDayMs(), kDayMs - 500);
  u.Stall(1500);
  EXPECT_EQ(u.TimeOfDayMs(), 1000);
  const TimeOfDay t = TimeOfDayOf(u.TimeOfDayMs() + 3'723'004);
  EXPECT_EQ(t.hour, 1);
  EXPECT_EQ(t.minute, 2);
  EXPECT_EQ(t.second, 4);
  EXPECT_EQ(t.millisecond, 4);
}

}  // namespace
}  // namespace tiko::test
