#include "display/replay_player.h"

namespace tiko {

namespace {
constexpr int kFrameMs = 10;
}

ReplayPlayer::ReplayPlayer(Unit& unit, std::function<void()> changed,
                           std::function<void()> state_changed)
    : unit_(unit), changed_(std::move(changed)), state_changed_(std::move(state_changed)) {
  timer_.setTimerType(Qt::PreciseTimer);
  connect(&timer_, &QTimer::timeout, this, &ReplayPlayer::Tick);
}

void ReplayPlayer::Start() {
  target_ = unit_.Now();
  since_.start();
  timer_.start(kFrameMs);
  Advance(0);
}

void ReplayPlayer::TogglePause() {
  if (finished()) return;
  paused_ = !paused_;
  since_.restart();
  if (state_changed_) state_changed_();
}

void ReplayPlayer::NextSpeed() {
  speed_ = speed_ >= 8 ? 1 : speed_ * 2;
  if (state_changed_) state_changed_();
}

void ReplayPlayer::Tick() {
  const std::int64_t real = since_.restart();
  if (!paused_) Advance(real * speed_);
}

void ReplayPlayer::Advance(std::int64_t ms) {
  target_ += ms;
  bool acted = false;
  while (true) {
    if (wait_end_) {
      if (stalling_) {
        // The program stood still: nothing runs until the stall's end, then
        // every late timer fires once.
        if (target_ < *wait_end_) break;
        unit_.Stall(*wait_end_ - unit_.Now());
      } else {
        unit_.RunUntil(std::min(target_, *wait_end_));
        acted = true;
        if (target_ < *wait_end_) break;
      }
      acted = true;
      wait_end_.reset();
      stalling_ = false;
    }
    if (next_ >= steps_.size()) break;
    const ReplayStep& step = steps_[next_++];
    if (auto duration = StepDuration(step)) {
      wait_end_ = unit_.Now() + *duration;
      stalling_ = IsStall(step);
      continue;
    }
    acted = true;
    if (!ApplyStep(unit_, step, &error_)) {
      next_ = steps_.size();
      break;
    }
  }
  if (acted && changed_) changed_();
  if (finished()) {
    timer_.stop();
    if (state_changed_) state_changed_();
  }
}

}  // namespace tiko
