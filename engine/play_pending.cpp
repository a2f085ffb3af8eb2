// Play rules still to come: crows, hero, coconut, umbrellas and balloons, key
// and rescue, misses and chance time. Until then play does nothing.
#include "engine/unit.h"

namespace tiko {

void Unit::Inp_up_down() {}
void Unit::Inp_up_up() {}
void Unit::Inp_down_down() {}
void Unit::Inp_down_up() {}
void Unit::Inp_left_down() {}
void Unit::Inp_left_up() {}
void Unit::Inp_right_down() {}
void Unit::Inp_right_up() {}
void Unit::Inp_jump_down() {}
void Unit::Inp_jump_up() {}

void Unit::Gam_Set_Difficulty() {}
bool Unit::Gam_Check_Collisions() { return false; }
void Unit::Gam_Check_Chance_Time() {}
void Unit::Gam_Execute_Miss_Crow() {}
void Unit::Gam_Execute_Miss_Fall() {}
void Unit::Gam_Reprise_After_Miss() {}

void Unit::Timer_Bonus_Phase_1Timer() {}
void Unit::Timer_Bonus_Phase_2Timer() {}
void Unit::Timer_ChanceTimer() {}
void Unit::Timer_CoconutTimer() {}
void Unit::Timer_Coconut_BonusTimer() {}
void Unit::Timer_Coconut_MusicTimer() {}
void Unit::Timer_Flying_MusicTimer() {}
void Unit::Timer_GameTimer() {}
void Unit::Timer_Tiko_1_1_HandTimer() {}
void Unit::Timer_Tiko_6_HandTimer() {}
void Unit::Timer_Tiko_JumpTimer() {}
void Unit::Timer_Tiko_StepTimer() {
  vars.hero_move_lock = false;
  Disable(TimerId::Timer_Tiko_Step);
}
void Unit::Timer_Key_BlinkTimer() {}
void Unit::Timer_Key_FallTimer() {}
void Unit::Timer_Garu_ArmTimer() {}
void Unit::Timer_Miss_CrowTimer() {}
void Unit::Timer_Miss_FallTimer() {}
void Unit::Timer_Umbrella_BalloonTimer() {}

}  // namespace tiko
