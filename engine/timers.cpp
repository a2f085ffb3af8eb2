#include "engine/timers.h"

namespace tiko {
namespace {

// A timer of interval below 1 would be due again at once, for ever.
bool CanFire(const GameTimer& t) {
  return t.enabled && t.interval >= 1;
}

}  // namespace

TimerBank::TimerBank() {
  // At start only the step timer runs; its first tick just frees the move lock.
  GameTimer& step = timers_[static_cast<int>(TimerId::Timer_Tiko_Step)];
  step.enabled = true;
  step.due = now_ + step.interval;
}

void TimerBank::SetInterval(TimerId id, int interval) {
  GameTimer& t = timers_[static_cast<int>(id)];
  if (t.interval == interval) return;
  t.interval = interval;
  if (t.enabled) t.due = now_ + interval;
}

void TimerBank::SetEnabled(TimerId id, bool enabled) {
  GameTimer& t = timers_[static_cast<int>(id)];
  if (t.enabled == enabled) return;
  t.enabled = enabled;
  t.due = enabled ? now_ + t.interval : 0;
}

std::optional<std::int64_t> TimerBank::NextDue() const {
  std::optional<std::int64_t> best;
  for (const GameTimer& t : timers_) {
    if (CanFire(t) && (!best || t.due < *best)) best = t.due;
  }
  return best;
}

std::optional<TimerId> TimerBank::PopDue(std::int64_t limit, bool fire_at_limit) {
  int best = -1;
  for (int i = 0; i < kTimerCount; ++i) {
    const GameTimer& t = timers_[i];
    if (CanFire(t) && t.due <= limit && (best < 0 || t.due < timers_[best].due)) best = i;
  }
  if (best < 0) return std::nullopt;
  GameTimer& t = timers_[best];
  // On a real clock a late timer fires once, at the moment it is seen.
  std::int64_t at = fire_at_limit ? limit : t.due;
  AdvanceTo(at);
  t.due = at + t.interval;
  return static_cast<TimerId>(best);
}

}  // namespace tiko
