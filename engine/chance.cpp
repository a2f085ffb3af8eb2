// Chance time: a score past the threshold stops play for the fanfares that clear
// the misses on record, then doubles the points when there were none, and
// hands back to the sequence that scored.
#include "engine/play_intervals.h"
#include "engine/step_table.h"
#include "engine/unit.h"

namespace tiko {

using namespace play;

namespace {

// Chance time: each fanfare but the last clears one miss on record. It starts
// at step 3 - misses, so it plays one fanfare more than there are misses.
enum class Fanfare { kNone, kClearMiss, kLast, kEnd };
constexpr int kFanfareMs = 1800;
constexpr StepRow<Fanfare> kChanceSteps[] = {
    {0, Fanfare::kNone, 0},  // (unused)
    {1, Fanfare::kClearMiss, kFanfareMs},
    {2, Fanfare::kClearMiss, kFanfareMs},
    {3, Fanfare::kLast, kFanfareMs},
    {4, Fanfare::kEnd, 0},
};
static_assert(StepsInOrder(kChanceSteps));
}  // namespace

void Unit::Gam_Check_Chance_Time() {
  if (!InGame(state_.vars.mode)) return;
  if (state_.vars.score < state_.vars.chance_threshold || state_.vars.double_score_on) return;
  Gam_Stop_All_Timers();
  Silence();
  state_.vars.play_active = false;
  AddTo(state_.vars.chance_threshold, 1000);
  state_.vars.double_score_on = state_.vars.miss_count == 0;
  state_.vars.chance_step = 3 - state_.vars.miss_count;
  Start(TimerId::Timer_Chance, 500);
}

void Unit::Timer_ChanceTimer() {
  const auto act = [&](Fanfare action) {
    switch (action) {
      case Fanfare::kNone:
        break;
      case Fanfare::kClearMiss:
        Play(SoundId::snd_Chance);
        StepBack(state_.vars.miss_count);
        Vid_Show_Panel_Miss(state_.vars.miss_count);
        break;
      case Fanfare::kLast:
        Play(SoundId::snd_Chance);
        break;
      case Fanfare::kEnd:
        EndChanceTime();
        Disable(TimerId::Timer_Chance);
        break;
    }
  };
  RunStep(state_.timers, TimerId::Timer_Chance, kChanceSteps, state_.vars.chance_step, act);
}

void Unit::EndChanceTime() {
  if (state_.vars.double_score_on) {
    state_.vars.point_value = 2;
    Vid_Show_Panel_Score(state_.vars.score, false);
    state_.vars.score_blink_phase = 1;
    Start(TimerId::Timer_Score_Blink, kScoreBlinkMs);
  }
  switch (state_.vars.chance_resume) {
    case Resume::kFlyingCatch:
      Silence();
      StartFlyingTune();
      ResumeNormalPlay();
      RemoveFallingCoconut();
      break;
    case Resume::kCoconutBonus:  // the steps still to pay are dropped
      ResumePlayWithCoconutTune();
      break;
    case Resume::kRescuePhase1:  // the phase goes on with its next step
      Enable(TimerId::Timer_Bonus_Phase_1);
      break;
    case Resume::kRescuePhase2:
      Enable(TimerId::Timer_Bonus_Phase_2);
      break;
    default:
      break;
  }
}

}  // namespace tiko
