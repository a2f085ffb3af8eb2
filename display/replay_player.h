// Plays a recording on the window's unit at the recording's own pace: each
// `wait` runs the unit's ticks as real time passes (times the speed), each
// other command acts when its moment comes. Pausing and the speed are the
// watcher's; nothing else reaches the unit while it plays.
#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "engine/unit.h"
#include "record/replay_steps.h"

namespace tiko {

class ReplayPlayer : public QObject {
 public:
  // `changed` runs after the unit changed; `state_changed` after a pause, a
  // new speed or the end.
  ReplayPlayer(Unit& unit, std::function<void()> changed, std::function<void()> state_changed);

  void SetSteps(std::vector<ReplayStep> steps) { steps_ = std::move(steps); }
  void Start();
  void TogglePause();
  // 1x, 2x, 4x, 8x and round again.
  void NextSpeed();

  bool paused() const { return paused_; }
  int speed() const { return speed_; }
  bool finished() const { return next_ >= steps_.size() && !wait_end_; }
  // Why the replay stopped early, empty while it plays or when it ran to its end.
  const std::string& error() const { return error_; }

  // Runs the replay on by `ms` of its own time (the timer calls it with the
  // real time since its last call, times the speed).
  void Advance(std::int64_t ms);

 private:
  void Tick();

  Unit& unit_;
  std::function<void()> changed_;
  std::function<void()> state_changed_;
  std::vector<ReplayStep> steps_;
  size_t next_ = 0;
  std::optional<std::int64_t> wait_end_;  // the unit's time the step under way ends at
  bool stalling_ = false;                 // that step is a stall
  std::int64_t target_ = 0;               // the unit's time the replay has reached
  bool paused_ = false;
  int speed_ = 1;
  std::string error_;
  QTimer timer_;
  QElapsedTimer since_;
};

}  // namespace tiko
