// The 22 game timers on virtual time. Their rules: a new interval restarts a
// running countdown, the same interval does not; enabling a running timer does
// nothing; interval 1 is due 1 ms later; a late timer fires once; an interval
// below 1 never fires, as a window timer of interval 0 never does.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

namespace tiko {

// In the order in which Gam_Stop_All_Timers disables them; timers due at the
// same moment tick in this order too.
enum class TimerId {
  Timer_Bonus_Phase_1,
  Timer_Bonus_Phase_2,
  Timer_Chance,
  Timer_Clock,
  Timer_Coconut,
  Timer_Coconut_Bonus,
  Timer_Coconut_Music,
  Timer_Flying_Music,
  Timer_Game,
  Timer_Game_Over,
  Timer_Game_Start,
  Timer_Tiko_1_1_Hand,
  Timer_Tiko_6_Hand,
  Timer_Tiko_Jump,
  Timer_Tiko_Step,
  Timer_Key_Blink,
  Timer_Key_Fall,
  Timer_Garu_Arm,
  Timer_Miss_Crow,
  Timer_Miss_Fall,
  Timer_Score_Blink,
  Timer_Umbrella_Balloon,
};

inline constexpr int kTimerCount = 22;

// Virtual time stops here (about 146 million years): a due time, the end time
// plus an int interval, then always fits in 64 bits.
inline constexpr std::int64_t kLastVirtualMs = std::int64_t{1} << 62;

inline constexpr std::array<std::string_view, kTimerCount> kTimerNames = {
    "Timer_Bonus_Phase_1", "Timer_Bonus_Phase_2",    "Timer_Chance",        "Timer_Clock",
    "Timer_Coconut",       "Timer_Coconut_Bonus",    "Timer_Coconut_Music", "Timer_Flying_Music",
    "Timer_Game",          "Timer_Game_Over",        "Timer_Game_Start",    "Timer_Tiko_1_1_Hand",
    "Timer_Tiko_6_Hand",   "Timer_Tiko_Jump",        "Timer_Tiko_Step",     "Timer_Key_Blink",
    "Timer_Key_Fall",      "Timer_Garu_Arm",         "Timer_Miss_Crow",     "Timer_Miss_Fall",
    "Timer_Score_Blink",   "Timer_Umbrella_Balloon",
};

inline std::string_view TimerName(TimerId id) {
  return kTimerNames[static_cast<int>(id)];
}

struct GameTimer {
  int interval = 1;
  bool enabled = false;
  std::int64_t due = 0;  // meaningful while enabled
};

class TimerBank {
 public:
  TimerBank();

  const GameTimer& operator[](TimerId id) const { return timers_[static_cast<int>(id)]; }

  std::int64_t Now() const { return now_; }

  void SetInterval(TimerId id, int interval);
  void SetEnabled(TimerId id, bool enabled);
  void Enable(TimerId id) { SetEnabled(id, true); }
  void Disable(TimerId id) { SetEnabled(id, false); }
  // Interval then enable: the common "arm" of a sequence.
  void Start(TimerId id, int interval) {
    SetInterval(id, interval);
    Enable(id);
  }

  // The earliest due time of a timer that can fire, if any.
  std::optional<std::int64_t> NextDue() const;

  // The next timer due at or before `limit` (earliest first, table order on
  // ties), or nothing; a timer of interval below 1 is never due. Marks it
  // fired: time moves to `fire_at` (its due time on virtual time, the arrival
  // time on a real clock) and its next due time follows.
  std::optional<TimerId> PopDue(std::int64_t limit, bool fire_at_limit);

  // Time moves on to `t` (never backwards, never past kLastVirtualMs).
  void AdvanceTo(std::int64_t t) {
    if (t > now_) now_ = t < kLastVirtualMs ? t : kLastVirtualMs;
  }

 private:
  std::array<GameTimer, kTimerCount> timers_{};
  std::int64_t now_ = 0;
};

}  // namespace tiko
