// The real-time host: one single-shot timer at the next due time, ticks on
// their due times, a stall after a hold-up, the time of day kept with the
// computer's, nothing armed while no timer runs.
#include <gtest/gtest.h>

#include <QKeyEvent>
#include <QTime>
#include <utility>
#include <vector>

#include "engine/unit_probe.h"
#include "fake_skin.h"

namespace tiko {
namespace {

using test::FormFixture;

// The window on a clock the test sets, created at time 0.
class HostTest : public ::testing::Test {
 protected:
  HostTest() {
    f.form->host().SetClockForTesting([this] { return now; });
    f.Create();
  }
  TForm1& form() { return *f.form; }
  Unit& unit() { return f.form->unit(); }
  RealtimeHost& host() { return f.form->host(); }
  // Open, then TIME at 100 ms: the clock display starts, its first tick due at once.
  void ShowTheClock();

  std::int64_t now = 0;
  FormFixture f;
};

void Tap(QWidget& w, int key) {
  QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
  QApplication::sendEvent(&w, &press);
  QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier);
  QApplication::sendEvent(&w, &release);
}

void HostTest::ShowTheClock() {
  now = 100;
  Tap(form(), Qt::Key_5);
  Tap(form(), Qt::Key_3);
}

TEST_F(HostTest, ArmsAtTheNextDueTimeAndStallsAfterAHoldUp) {
  Unit& unit = this->unit();
  RealtimeHost& host = this->host();

  // At start only the step timer runs, due at 1 ms.
  EXPECT_TRUE(host.Armed());
  now = 5;
  host.Fire();
  EXPECT_FALSE(host.Armed());  // nothing enabled: no polling

  // The clock display starts and ticks once a second.
  ShowTheClock();
  EXPECT_EQ(unit.vars().mode, Mode::kClock);
  ASSERT_TRUE(host.Armed());
  EXPECT_EQ(host.ArmedDelayMs(), 1);
  now = 101;
  host.Fire();
  EXPECT_EQ(host.ArmedDelayMs(), 1000);
  EXPECT_EQ(unit.timers().NextDue(), 1101);

  // Seven seconds late: a stall, told before it acts; one tick, and the
  // next a second after it.
  std::vector<std::pair<std::int64_t, std::int64_t>> stalls;
  host.on_stall = [&](std::int64_t ms) { stalls.emplace_back(unit.Now(), ms); };
  now = 8101;
  const std::uint64_t before = unit.scene().Revision();
  UnitProbe(unit).scene().SetPicture(im_panel_digit_2, kNoImage);
  host.Fire();
  EXPECT_NE(unit.scene().Picture(im_panel_digit_2), kNoImage);
  EXPECT_GT(unit.scene().Revision(), before);
  EXPECT_EQ(unit.timers().NextDue(), 9101);
  EXPECT_EQ(host.ArmedDelayMs(), 1000);
  EXPECT_EQ(stalls, (std::vector<std::pair<std::int64_t, std::int64_t>>{{101, 8000}}));
}

// Late, but less than a hold-up: each tick at its due time, as `wait` runs
// them, and an input after every tick due by its arrival, at its arrival.
TEST_F(HostTest, LateTicksKeepTheirDueTimesAndInputFollowsThem) {
  Unit& unit = this->unit();
  RealtimeHost& host = this->host();
  ShowTheClock();  // first tick at 101
  now = 101;
  host.Fire();
  UnitProbe(unit).vars().score_blink_phase = 1;
  UnitProbe(unit).timers().Start(TimerId::Timer_Score_Blink, 30);  // due 131, 161, ...

  std::vector<std::int64_t> dues;
  host.on_tick = [&](std::int64_t due, std::int64_t late_us) {
    dues.push_back(due);
    EXPECT_EQ(late_us, (now - due) * 1000);
  };
  bool stalled = false;
  host.on_stall = [&](std::int64_t) { stalled = true; };
  now = 131 + RealtimeHost::kStallAfterMs;  // the first due tick just not a hold-up
  host.Fire();
  EXPECT_FALSE(stalled);
  ASSERT_EQ(dues.size(), 7u);
  EXPECT_EQ(dues.front(), 131);
  EXPECT_EQ(dues.back(), 311);
  EXPECT_EQ(unit.vars().score_blink_phase, 2);  // seven ticks: an odd count
  EXPECT_EQ(unit.timers()[TimerId::Timer_Score_Blink].due, 341);

  dues.clear();
  now = 400;
  Tap(form(), Qt::Key_5);  // ACL, after the two ticks due by 400
  EXPECT_EQ(dues, (std::vector<std::int64_t>{341, 371}));
  EXPECT_EQ(unit.Now(), 400);
  EXPECT_EQ(unit.vars().mode, Mode::kAllSegments);
}

class SetClock : public LocalClock {
 public:
  TimeOfDay time;
  TimeOfDay Now() override { return time; }
};

TEST_F(HostTest, TheTimeOfDayFollowsTheComputersWhenTheyPart) {
  Unit& unit = this->unit();
  RealtimeHost& host = this->host();
  std::vector<std::pair<std::int64_t, std::int64_t>> set;  // unit time, time of day
  host.on_clock = [&](std::int64_t ms) { set.emplace_back(unit.Now(), ms); };
  SetClock computer;
  computer.time = {7, 30, 0, 250};
  host.FollowLocalTime(&computer);  // taken at once
  EXPECT_EQ(unit.TimeOfDayMs(), 27'000'250);

  // Drifting by no more than the slack changes nothing.
  now = 1000;
  computer.time = {7, 30, 1, 250 + RealtimeHost::kClockSlackMs};
  host.Sync();
  // A changed system clock: taken back to where the unit's time stood.
  now = 2000;
  computer.time = {8, 0, 0, 0};
  host.Sync();
  // Midnight passing is no departure.
  computer.time = {23, 59, 59, 900};
  host.Sync();
  now = 2200;
  computer.time = {0, 0, 0, 100};
  host.Sync();
  EXPECT_EQ(set, (std::vector<std::pair<std::int64_t, std::int64_t>>{
                     {0, 27'000'250}, {1000, 28'799'000}, {2000, 86'399'900}}));
  EXPECT_EQ(unit.TimeOfDayMs(), 100);
}

// The program's clock against Qt's local time, which asks the time zone each time.
TEST(LocalClockTest, TheComputersTimeOfDayIsTheLocalTime) {
  QtLocalClock clock;
  for (int i = 0; i < 3; ++i) {
    const QTime before = QTime::currentTime();
    const TimeOfDay now = clock.Now();
    const QTime after = QTime::currentTime();
    const int ms = QTime(now.hour, now.minute, now.second, now.millisecond).msecsSinceStartOfDay();
    if (after < before) continue;  // midnight passed
    EXPECT_GE(ms, before.msecsSinceStartOfDay());
    EXPECT_LE(ms, after.msecsSinceStartOfDay());
  }
}

TEST_F(HostTest, InputCountsTimeFromThePresent) {
  now = 5000;
  Tap(form(), Qt::Key_5);
  EXPECT_EQ(unit().Now(), 5000);
  Tap(form(), Qt::Key_1);  // Game A: the start tune's timer is due at once
  EXPECT_EQ(unit().timers().NextDue(), 5001);
}

TEST_F(HostTest, InputIsPaintedAtOnce) {
  Tap(form(), Qt::Key_5);
  const QImage opened = form().Frame();
  EXPECT_EQ(opened.pixelColor(60, 60), QColor(30, 30, 30));  // the frame over the LCD
}

}  // namespace
}  // namespace tiko
