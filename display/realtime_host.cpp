#include "display/realtime_host.h"

#include <algorithm>
#include <limits>

namespace tiko {

RealtimeHost::RealtimeHost(Unit& unit, std::function<void()> after_ticks)
    : unit_(unit), after_ticks_(std::move(after_ticks)) {
  start_ = unit_.Now();
  clock_.start();
  timer_.setSingleShot(true);
  timer_.setTimerType(Qt::PreciseTimer);
  connect(&timer_, &QTimer::timeout, this, &RealtimeHost::Fire);
}

std::int64_t RealtimeHost::NowMs() const {
  if (now_for_testing_) return now_for_testing_();
  return start_ + clock_.elapsed();
}

void RealtimeHost::Sync() {
  unit_.RunUntil(NowMs(), /*real_clock=*/true);
}

void RealtimeHost::Rearm() {
  const std::optional<std::int64_t> due = unit_.timers().NextDue();
  if (!due) {
    timer_.stop();
    return;
  }
  const std::int64_t wait =
      std::clamp<std::int64_t>(*due - NowMs(), 0, std::numeric_limits<int>::max());
  timer_.start(static_cast<int>(wait));
}

void RealtimeHost::Fire() {
  Sync();
  if (after_ticks_) after_ticks_();
  Rearm();
}

}  // namespace tiko
