#include "record/script_clock.h"

#include <cstdio>

namespace tiko {

void ScriptClock::Set(int ms_of_day) {
  base_ms_ = ms_of_day;
  set_at_ = now_();
}

int ScriptClock::MsOfDay() const {
  const std::int64_t ms = (base_ms_ + (now_() - set_at_)) % kMsPerDay;
  return static_cast<int>(ms < 0 ? ms + kMsPerDay : ms);
}

TimeOfDay ScriptClock::Now() {
  const int ms = MsOfDay();
  return TimeOfDay{ms / 3600000, ms / 60000 % 60, ms / 1000 % 60};
}

std::string ClockText(int ms_of_day) {
  char text[48];
  std::snprintf(text, sizeof text, "%02d:%02d:%02d.%03d", ms_of_day / 3600000,
                ms_of_day / 60000 % 60, ms_of_day / 1000 % 60, ms_of_day % 1000);
  return text;
}

std::string SecondsText(int ms_of_day) {
  return ClockText(ms_of_day).substr(0, 8);
}

}  // namespace tiko
