#include "display/realtime_host.h"

#include <algorithm>
#include <limits>

namespace tiko {

namespace {

std::int64_t MsOfDay(const TimeOfDay& t) {
  return ((t.hour * 60LL + t.minute) * 60 + t.second) * 1000 + t.millisecond;
}

// `ms` brought into 0 .. kDayMs - 1.
std::int64_t WrapDay(std::int64_t ms) {
  ms %= kDayMs;
  return ms < 0 ? ms + kDayMs : ms;
}

}  // namespace

RealtimeHost::RealtimeHost(Unit& unit, std::function<void()> after_ticks)
    : unit_(unit), after_ticks_(std::move(after_ticks)) {
  start_ = unit_.Now();
  origin_us_ = WakeTimer::NowUs();
}

std::int64_t RealtimeHost::NowUs() const {
  if (now_for_testing_) return now_for_testing_() * 1000;
  return start_ * 1000 + (WakeTimer::NowUs() - origin_us_);
}

std::int64_t RealtimeHost::NowMs() const {
  return NowUs() / 1000;
}

void RealtimeHost::FollowLocalTime(LocalClock* local_time) {
  local_time_ = local_time;
  CheckLocalTime(true);
}

void RealtimeHost::CheckLocalTime(bool always) {
  if (!local_time_) return;
  // The computer's time of day, taken back to the unit's present (which may
  // lag the real one until the due ticks ran).
  const std::int64_t lag = std::max<std::int64_t>(0, NowMs() - unit_.Now());
  const std::int64_t wanted = WrapDay(MsOfDay(local_time_->Now()) - lag);
  const std::int64_t apart = WrapDay(wanted - unit_.TimeOfDayMs());
  if (!always && std::min(apart, kDayMs - apart) <= kClockSlackMs) return;
  if (on_clock) on_clock(wanted);
  unit_.SetTimeOfDay(wanted);
}

void RealtimeHost::Sync() {
  CheckLocalTime(false);
  const std::int64_t now = NowMs();
  const std::optional<std::int64_t> first = unit_.timers().NextDue();
  if (first && now - *first > kStallAfterMs) {
    const std::int64_t ms = now - unit_.Now();
    if (on_stall) on_stall(ms);
    unit_.Stall(ms);
    return;
  }
  while (const std::optional<std::int64_t> due = unit_.timers().NextDue()) {
    if (*due > now) break;
    const std::int64_t late_us = NowUs() - *due * 1000;
    unit_.RunUntil(*due);
    if (on_tick) on_tick(*due, late_us);
  }
  unit_.RunUntil(now);
}

void RealtimeHost::Rearm() {
  const std::optional<std::int64_t> due = unit_.timers().NextDue();
  if (!due) {
    timer_.Stop();
    return;
  }
  const std::int64_t wait_us = std::max<std::int64_t>(0, *due * 1000 - NowUs());
  armed_delay_ms_ = static_cast<int>(
      std::min<std::int64_t>((wait_us + 999) / 1000, std::numeric_limits<int>::max()));
  // The due time itself on the monotonic clock, not now plus a rounded wait.
  timer_.StartAt(now_for_testing_ ? WakeTimer::NowUs() + wait_us
                                  : origin_us_ + (*due - start_) * 1000);
}

void RealtimeHost::Fire() {
  Sync();
  if (after_ticks_) after_ticks_();
  Rearm();
}

}  // namespace tiko
