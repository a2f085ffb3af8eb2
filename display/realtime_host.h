// Runs the unit on the real clock, on the same time line tiko-script's `wait`
// uses: one single-shot Qt timer armed at the earliest due time of the unit's
// timers; each due tick runs at its due time on the unit's time line, and an
// input arriving at t acts after every tick due by t, at t. Nothing runs
// while no timer is due.
#pragma once

#include <QObject>
#include <cstdint>
#include <functional>

#include "display/wake_timer.h"
#include "engine/ports.h"
#include "engine/unit.h"

namespace tiko {

class RealtimeHost : public QObject {
 public:
  // A tick this late means the program was held up (suspended, a stalled
  // display server, a debugger) rather than merely busy: running every tick
  // it missed at its due time would play that stretch in an instant, so the
  // host takes a stall instead and each late timer fires once. A busy desktop
  // makes ticks a few milliseconds late, a hold-up the player notices starts
  // at about a fifth of a second.
  static constexpr std::int64_t kStallAfterMs = 200;
  // The unit's time of day follows the computer's when the two part by more
  // than this (a changed system clock, daylight saving, a suspended machine).
  static constexpr std::int64_t kClockSlackMs = 50;

  // `after_ticks` runs after the due ticks ran (the window repaints what changed).
  // An error a tick raises goes to the unit's own error port.
  RealtimeHost(Unit& unit, std::function<void()> after_ticks);

  // Milliseconds on the unit's time line: the unit's time at start plus the time since.
  std::int64_t NowMs() const;

  // Brings the unit up to now: the time of day checked, then every tick due by
  // now run at its due time, or a stall when the earliest is more than
  // kStallAfterMs late; the unit's time is now afterwards. Done before an
  // input event, so that it acts at the time it arrived.
  void Sync();

  // Arms the timer at the next due time, or stops it when no timer is enabled.
  void Rearm();

  // The timer's tick: runs what is due, then re-arms.
  void Fire();

  // The computer's local time of day for the unit to follow: set at once, and
  // again in every Sync() before any tick when the two part. Null: the unit's
  // time of day is left alone (a recording being watched sets its own).
  void FollowLocalTime(LocalClock* local_time);

  // Told before the host changes the unit otherwise than by running due
  // ticks, with the unit's time where it happens: the recorder's `stall` and
  // `clock` lines.
  std::function<void(std::int64_t ms)> on_stall;
  std::function<void(std::int64_t ms_of_day)> on_clock;
  // Told after the ticks of each due time ran: their due time and how late,
  // in microseconds on the unit's time line, they started.
  std::function<void(std::int64_t due, std::int64_t late_us)> on_tick;

  bool Armed() const { return timer_.Active(); }
  // How long the armed timer waits, rounded up to the millisecond.
  int ArmedDelayMs() const { return armed_delay_ms_; }

  // Tests drive the host on a clock of their own.
  void SetClockForTesting(std::function<std::int64_t()> now) { now_for_testing_ = std::move(now); }

 private:
  std::int64_t NowUs() const;
  void CheckLocalTime(bool always);

  Unit& unit_;
  std::function<void()> after_ticks_;
  std::int64_t start_ = 0;      // the unit's time when the host started
  std::int64_t origin_us_ = 0;  // the monotonic clock then
  WakeTimer timer_{[this] { Fire(); }};
  int armed_delay_ms_ = 0;
  LocalClock* local_time_ = nullptr;
  std::function<std::int64_t()> now_for_testing_;
};

}  // namespace tiko
