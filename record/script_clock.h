// The local time of day as a script gives it: set by `clock`, then running on
// with the unit's time. The window's unit reads this clock too, so that a
// recording's `clock` lines give its replay the very times the unit read.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "engine/ports.h"

namespace tiko {

inline constexpr int kMsPerDay = 24 * 60 * 60 * 1000;

class ScriptClock : public LocalClock {
 public:
  // `now` is the unit's time in milliseconds.
  explicit ScriptClock(std::function<std::int64_t()> now) : now_(std::move(now)) {}

  // The time of day is `ms_of_day` now.
  void Set(int ms_of_day);
  // Milliseconds since midnight now.
  int MsOfDay() const;
  TimeOfDay Now() override;

 private:
  std::function<std::int64_t()> now_;
  int base_ms_ = 0;
  std::int64_t set_at_ = 0;
};

// HH:MM:SS.mmm, as a `clock` line takes it.
std::string ClockText(int ms_of_day);
// HH:MM:SS.
std::string SecondsText(int ms_of_day);

}  // namespace tiko
