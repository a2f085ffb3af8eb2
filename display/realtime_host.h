// Runs the unit's timers on the real clock: one single-shot Qt timer armed at
// the earliest due time of the unit's timers, re-armed after every tick and
// every input event. Nothing runs while no timer is due.
#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>
#include <cstdint>
#include <functional>

#include "engine/unit.h"

namespace tiko {

class RealtimeHost : public QObject {
 public:
  // `after_ticks` runs after the due ticks ran (the window repaints what changed).
  // An error a tick raises goes to the unit's own error port.
  RealtimeHost(Unit& unit, std::function<void()> after_ticks);

  // Milliseconds on the unit's time line: the unit's time at start plus the time since.
  std::int64_t NowMs() const;

  // Runs every tick due by now and moves the unit's time to now; done before an
  // input event so that the timers it starts count from the present.
  void Sync();

  // Arms the timer at the next due time, or stops it when no timer is enabled.
  void Rearm();

  // The timer's tick: runs what is due, then re-arms.
  void Fire();

  bool Armed() const { return timer_.isActive(); }
  int ArmedDelayMs() const { return timer_.interval(); }

  // Tests drive the host on a clock of their own.
  void SetClockForTesting(std::function<std::int64_t()> now) { now_for_testing_ = std::move(now); }

 private:
  Unit& unit_;
  std::function<void()> after_ticks_;
  QElapsedTimer clock_;
  std::int64_t start_ = 0;
  QTimer timer_;
  std::function<std::int64_t()> now_for_testing_;
};

}  // namespace tiko
