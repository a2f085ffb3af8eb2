// The unit's state and rules opened up, for tools and tests that stage a
// moment or run one rule alone: tiko-script's set, show and timer commands,
// the preview tools, the benchmarks and the tests. Product code goes through
// the unit's operations only.
#pragma once

#include "engine/unit.h"

namespace tiko {

class UnitProbe {
 public:
  explicit UnitProbe(Unit& unit) : unit_(unit) {}

  Vars& vars() { return unit_.state_.vars; }
  Scene& scene() { return unit_.state_.scene; }
  TimerBank& timers() { return unit_.state_.timers; }
  RandomSource& random() { return unit_.state_.random; }
  // The whole state of `other`: scene, variables, timers and random generator.
  void CopyStateOf(const Unit& other) { unit_.state_ = other.state_; }

  // One timer's tick, due or not.
  void RunTimer(TimerId id) { unit_.RunTimer(id); }
  // Sets `mode` and applies it.
  void EnterMode(Mode m) { unit_.EnterMode(m); }
  void StopAllTimers() { unit_.Gam_Stop_All_Timers(); }
  bool CheckCollisions() { return unit_.Gam_Check_Collisions(); }
  void CheckChanceTime() { unit_.Gam_Check_Chance_Time(); }
  void SetDifficulty() { unit_.Gam_Set_Difficulty(); }
  void EndOfGame() { unit_.Gam_End_Of_Game(); }
  void LoadKeyBindings() { unit_.LoadKeyBindings(); }

 private:
  Unit& unit_;
};

}  // namespace tiko
