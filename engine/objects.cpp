// The things that help the hero: the falling coconut and its bonus, the
// umbrellas and balloons of the flying side, and the coconut and flying tunes.
#include "engine/play_intervals.h"
#include "engine/saturating.h"
#include "engine/step_table.h"
#include "engine/unit.h"

namespace tiko {

using namespace seg;
using namespace play;

namespace {
constexpr int kCoconutFallMs = 310;
constexpr int kBonusStepMs = 200;

// The coconut bonus: step 1 pays one step per tick while steps are left, then
// step 2 lets the coconut fall on and stays the last.
enum class CoconutBonus { kNone, kPay, kFallOn };
constexpr StepRow<CoconutBonus> kCoconutBonusSteps[] = {
    {0, CoconutBonus::kNone, 0},  // (unused)
    {1, CoconutBonus::kPay, 0, 1},
    {2, CoconutBonus::kFallOn, 0, 2},
};
static_assert(StepsInOrder(kCoconutBonusSteps));

// The flying side moves by turns: the umbrellas, then the balloons, 800 ms apart.
enum class Drift { kNone, kUmbrellas, kBalloons };
constexpr StepRow<Drift> kDriftSteps[] = {
    {0, Drift::kNone, 0},  // (unused)
    {1, Drift::kUmbrellas, 0, 2},
    {2, Drift::kBalloons, 0, 1},
};
static_assert(StepsInOrder(kDriftSteps));

// The crow cell beside the falling coconut; none off the vine.
ImageId CrowBesideCoconut(int coconut_pos) {
  return coconut_pos >= 1 && coconut_pos <= 5 ? crow_seg[2][coconut_pos] : kNoImage;
}
}  // namespace

void Unit::Timer_CoconutTimer() {
  Vid_Show_Coconut(false);
  StepOn(state_.vars.coconut_pos);
  if (state_.vars.coconut_pos >= 6) {
    Disable(TimerId::Timer_Coconut);  // off the screen: no sound, no score
    return;
  }
  Vid_Show_Coconut(true);
  if (Lit(CrowBesideCoconut(state_.vars.coconut_pos))) {
    state_.vars.coconut_bonus_left = state_.vars.coconut_bonus_next;
    AddTo(state_.vars.coconut_bonus_next, 2);
    state_.vars.play_active = false;
    Disable(TimerId::Timer_Coconut);
    state_.vars.coconut_bonus_step = 1;
    Start(TimerId::Timer_Coconut_Bonus, 1);
  }
  Interval(TimerId::Timer_Coconut, kCoconutFallMs);
}

void Unit::Timer_Coconut_BonusTimer() {
  const auto act = [&](CoconutBonus action) {
    switch (action) {
      case CoconutBonus::kNone:
        break;
      case CoconutBonus::kPay:
        if (state_.vars.coconut_bonus_left > 0) {
          PayCoconutBonusStep();
        } else {
          Interval(TimerId::Timer_Coconut_Bonus, 1);
          state_.vars.coconut_bonus_step = 2;  // nothing left to pay
        }
        break;
      case CoconutBonus::kFallOn:
        Disable(TimerId::Timer_Flying_Music);
        ResumePlayWithCoconutTune();
        Disable(TimerId::Timer_Coconut_Bonus);
        break;
    }
  };
  RunStep(state_.timers, TimerId::Timer_Coconut_Bonus, kCoconutBonusSteps,
          state_.vars.coconut_bonus_step, act, OutsideSteps::kKeep);
}

// One step of the bonus: the crow beside the coconut goes, and the lower the
// hit, the more the step is worth.
void Unit::PayCoconutBonusStep() {
  Gam_Stop_All_Timers();
  Silence();
  Play(SoundId::snd_Point);
  Hide(CrowBesideCoconut(state_.vars.coconut_pos));
  StepBack(state_.vars.coconut_bonus_left);
  Start(TimerId::Timer_Coconut_Bonus, kBonusStepMs);
  AddTo(state_.vars.score,
        static_cast<long long>(state_.vars.coconut_pos) * state_.vars.point_value);
  Vid_Show_Panel_Score(state_.vars.score, true);
  Gam_Set_Difficulty();
  state_.vars.chance_resume = Resume::kCoconutBonus;
  Gam_Check_Chance_Time();
}

// The end of the coconut tune hands back to the flying tune on the flying side.
void Unit::Timer_Coconut_MusicTimer() {
  if (state_.vars.hero_col > 4 && state_.vars.hero_row < 5) {
    Play(SoundId::snd_Flying);
    RestartFlyingMusic();
  }
  Disable(TimerId::Timer_Coconut_Music);
}

void Unit::Timer_Flying_MusicTimer() {
  Play(SoundId::snd_Flying);
}

void Unit::Timer_Umbrella_BalloonTimer() {
  const auto act = [&](Drift action) {
    if (action == Drift::kUmbrellas) MoveUmbrellas();
    if (action == Drift::kBalloons) MoveBalloons();
  };
  RunStep(state_.timers, TimerId::Timer_Umbrella_Balloon, kDriftSteps,
          state_.vars.umbrella_balloon_step, act, OutsideSteps::kKeep);
}

// Umbrellas drift down one place; a new one may come in at the top.
void Unit::MoveUmbrellas() {
  int before = 0;
  for (int k = 1; k <= 5; ++k) before += Lit(umbrella_seg[k]) ? 1 : 0;
  for (int k = 5; k >= 2; --k) Copy(umbrella_seg[k], umbrella_seg[k - 1]);
  int r = state_.random.Random(2);  // drawn at every umbrella step
  bool arrive = r == 0 || before == 0 || Lit(tiko_seg[6][1]);
  if (Lit(umbrella_seg[2])) arrive = false;  // never two at neighbouring heights
  Set(umbrella_seg[1], arrive);
  if (state_.vars.hero_col == 5) {  // the hero rides down with his umbrella
    Vid_Show_Hero(false);
    StepOn(state_.vars.hero_row);
    if (state_.vars.hero_row >= 5) {
      state_.vars.hero_row = 4;
      Gam_Execute_Miss_Fall();
    } else {
      Vid_Show_Hero(true);
    }
  }
}

// Balloons rise one place; a new one may come in at the bottom.
void Unit::MoveBalloons() {
  int before = 0;
  for (int k = 0; k <= 5; ++k) before += Lit(balloon_seg[k]) ? 1 : 0;
  for (int k = 0; k <= 4; ++k) Copy(balloon_seg[k], balloon_seg[k + 1]);
  int r = state_.random.Random(2);
  bool arrive = r == 0 || before == 0 || Lit(tiko_seg[5][3]);
  if (Lit(balloon_seg[4])) arrive = false;
  Set(balloon_seg[5], arrive);
  if (state_.vars.hero_col == 6) {  // the hero rises with his balloon
    StepBack(state_.vars.hero_row);
    if (state_.vars.hero_row + 1 >= 1 && state_.vars.hero_row + 1 <= 5)
      Hide(tiko_seg[6][state_.vars.hero_row + 1]);
    for (int k = 2; k <= 4; ++k) Hide(tiko_hand_6_seg[k]);
    if (state_.vars.hero_row > 0) {
      Vid_Show_Hero(true);
    } else {
      state_.vars.hero_row = 1;  // carried off the top
      Gam_Execute_Miss_Fall();
    }
  }
}

}  // namespace tiko
