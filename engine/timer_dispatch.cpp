#include <algorithm>

#include "engine/unit.h"

namespace tiko {

void Unit::RunDue(std::int64_t limit, bool at_limit) {
  while (auto id = state_.timers.PopDue(limit, at_limit)) {
    // An error abandons its own tick only; the ticks after it still run.
    try {
      RunTimer(*id);
    } catch (const UnitError& e) {
      ShowError(e.what());
    }
  }
}

void Unit::RunUntil(std::int64_t t) {
  t = std::min(t, kLastVirtualMs);
  RunDue(t, false);
  state_.timers.AdvanceTo(t);
}

void Unit::Stall(std::int64_t ms) {
  const std::int64_t t = ms >= kLastVirtualMs - Now() ? kLastVirtualMs : Now() + ms;
  // Time moves first, so that whatever a handler starts or re-arms counts
  // from the new now and cannot fire in this catch-up.
  state_.timers.AdvanceTo(t);
  RunDue(t, true);
}

void Unit::RunTimer(TimerId id) {
  switch (id) {
    case TimerId::Timer_Bonus_Phase_1:
      return Timer_Bonus_Phase_1Timer();
    case TimerId::Timer_Bonus_Phase_2:
      return Timer_Bonus_Phase_2Timer();
    case TimerId::Timer_Chance:
      return Timer_ChanceTimer();
    case TimerId::Timer_Clock:
      return Timer_ClockTimer();
    case TimerId::Timer_Coconut:
      return Timer_CoconutTimer();
    case TimerId::Timer_Coconut_Bonus:
      return Timer_Coconut_BonusTimer();
    case TimerId::Timer_Coconut_Music:
      return Timer_Coconut_MusicTimer();
    case TimerId::Timer_Flying_Music:
      return Timer_Flying_MusicTimer();
    case TimerId::Timer_Game:
      return Timer_GameTimer();
    case TimerId::Timer_Game_Over:
      return Timer_Game_OverTimer();
    case TimerId::Timer_Game_Start:
      return Timer_Game_StartTimer();
    case TimerId::Timer_Tiko_1_1_Hand:
      return Timer_Tiko_1_1_HandTimer();
    case TimerId::Timer_Tiko_6_Hand:
      return Timer_Tiko_6_HandTimer();
    case TimerId::Timer_Tiko_Jump:
      return Timer_Tiko_JumpTimer();
    case TimerId::Timer_Tiko_Step:
      return Timer_Tiko_StepTimer();
    case TimerId::Timer_Key_Blink:
      return Timer_Key_BlinkTimer();
    case TimerId::Timer_Key_Fall:
      return Timer_Key_FallTimer();
    case TimerId::Timer_Garu_Arm:
      return Timer_Garu_ArmTimer();
    case TimerId::Timer_Miss_Crow:
      return Timer_Miss_CrowTimer();
    case TimerId::Timer_Miss_Fall:
      return Timer_Miss_FallTimer();
    case TimerId::Timer_Score_Blink:
      return Timer_Score_BlinkTimer();
    case TimerId::Timer_Umbrella_Balloon:
      return Timer_Umbrella_BalloonTimer();
  }
}

}  // namespace tiko
