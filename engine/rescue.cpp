// The key and the cage: the hanging key's blink, Garu's moving arm, the key's
// fall after a wrong reach, and the two phases of the rescue.
#include "engine/play_intervals.h"
#include "engine/step_table.h"
#include "engine/unit.h"

namespace tiko {

using namespace seg;
using namespace play;

namespace {

// The key's fall after a wrong reach: the hand withdraws, the key lies blinking
// at the bottom with the miss figure, then hangs at its hook again.
enum class KeyFall { kNone, kWithdrawHand, kShowKey, kHideKey, kKeyToFigure, kHideFigure, kResume };
constexpr StepRow<KeyFall> kKeyFallSteps[] = {
    {0, KeyFall::kNone, 0},  // (unused)
    {1, KeyFall::kWithdrawHand, 340}, {2, KeyFall::kShowKey, 160},   {3, KeyFall::kHideKey, 0},
    {4, KeyFall::kShowKey, 0},        {5, KeyFall::kKeyToFigure, 0}, {6, KeyFall::kNone, 0},
    {7, KeyFall::kHideFigure, 0},     {8, KeyFall::kNone, 0},        {9, KeyFall::kResume, 0},
};
static_assert(StepsInOrder(kKeyFallSteps));

// Rescue phase 1: the chain blinks and opens, ten points are paid, then phase 2
// follows (at the fourth chain) or play resumes.
enum class Phase1 {
  kNone,
  kCountChain,
  kChainOff,
  kChainOn,
  kOpenChain,
  kPayPoint,
  kPhase2OrWait,
  kResume
};
constexpr StepRow<Phase1> kPhase1Steps[] = {
    {0, Phase1::kNone, 0},  // (unused)
    {1, Phase1::kCountChain, 180},  {2, Phase1::kChainOff, 0},
    {3, Phase1::kChainOn, 0},       {4, Phase1::kChainOff, 0},
    {5, Phase1::kChainOn, 0},       {6, Phase1::kChainOff, 0},
    {7, Phase1::kChainOn, 0},       {8, Phase1::kChainOff, 0},
    {9, Phase1::kChainOn, 0},       {10, Phase1::kOpenChain, 160},
    {11, Phase1::kPayPoint, 0},     {12, Phase1::kPayPoint, 0},
    {13, Phase1::kPayPoint, 0},     {14, Phase1::kPayPoint, 0},
    {15, Phase1::kPayPoint, 0},     {16, Phase1::kPayPoint, 0},
    {17, Phase1::kPayPoint, 0},     {18, Phase1::kPayPoint, 0},
    {19, Phase1::kPayPoint, 0},     {20, Phase1::kPayPoint, 0},
    {21, Phase1::kPhase2OrWait, 0},  // sets 900 ms itself when it waits
    {22, Phase1::kResume, 0},
};
static_assert(StepsInOrder(kPhase1Steps));

// Rescue phase 2: the fanfare, Garu waving his right arm, ten more points, the
// new cage, and after a pause play from the start position.
enum class Phase2 { kNone, kFanfare, kArmUp, kArmDown, kPayPoint, kNewCage, kResume };
constexpr StepRow<Phase2> kPhase2Steps[] = {
    {0, Phase2::kNone, 0},  // (unused)
    {1, Phase2::kNone, 250},    {2, Phase2::kFanfare, 800}, {3, Phase2::kArmUp, 250},
    {4, Phase2::kArmDown, 0},   {5, Phase2::kArmUp, 0},     {6, Phase2::kArmDown, 0},
    {7, Phase2::kArmUp, 0},     {8, Phase2::kArmDown, 0},   {9, Phase2::kArmUp, 160},
    {10, Phase2::kPayPoint, 0}, {11, Phase2::kPayPoint, 0}, {12, Phase2::kPayPoint, 0},
    {13, Phase2::kPayPoint, 0}, {14, Phase2::kPayPoint, 0}, {15, Phase2::kPayPoint, 0},
    {16, Phase2::kPayPoint, 0}, {17, Phase2::kPayPoint, 0}, {18, Phase2::kPayPoint, 0},
    {19, Phase2::kPayPoint, 0}, {20, Phase2::kNone, 350},   {21, Phase2::kNewCage, 3300},
    {22, Phase2::kResume, 0},
};
static_assert(StepsInOrder(kPhase2Steps));

constexpr int kPhase1WaitMs = 900;

ImageId Chain(int n) {
  return n >= 1 && n <= 4 ? garu_chain_seg[n] : kNoImage;
}

ImageId LockHand(int row) {
  return row >= 2 && row <= 4 ? tiko_hand_6_seg[row] : kNoImage;
}
}  // namespace

void Unit::Timer_Key_BlinkTimer() {
  Set(key_seg[1], !Lit(key_seg[1]));
}

// From a game's start the lit lock height runs 4, 3, then 4, 3, 2, 3 over and over.
void Unit::Timer_Garu_ArmTimer() {
  Vid_Show_Garu_Arm_Lock(false);
  StepOn(state_.vars.garu_arm_pos);
  if (state_.vars.garu_arm_pos > 6) state_.vars.garu_arm_pos = 3;
  Vid_Show_Garu_Arm_Lock(true);
}

void Unit::Timer_Key_FallTimer() {
  const auto act = [&](KeyFall action) {
    switch (action) {
      case KeyFall::kNone:
        break;
      case KeyFall::kWithdrawHand:
        Hide(LockHand(state_.vars.hero_row));
        break;
      case KeyFall::kShowKey:
        Show(key_seg[2]);
        break;
      case KeyFall::kHideKey:
        Hide(key_seg[2]);
        break;
      case KeyFall::kKeyToFigure:
        Hide(key_seg[2]);
        Show(miss_seg[2]);
        break;
      case KeyFall::kHideFigure:
        Hide(miss_seg[2]);
        break;
      case KeyFall::kResume:
        // The key is back at its hook; the hero still hangs where he reached.
        state_.vars.key_state = KeyState::kHanging;
        Show(key_seg[1]);
        ResumeNormalPlay();
        StartFlyingTune();
        Disable(TimerId::Timer_Key_Fall);
        break;
    }
  };
  RunStep(state_.timers, TimerId::Timer_Key_Fall, kKeyFallSteps, state_.vars.key_fall_step, act);
}

// One point of a rescue phase; chance time may start from it.
void Unit::PayRescuePoint(Resume resume) {
  AddTo(state_.vars.score, state_.vars.point_value);
  Vid_Show_Panel_Score(state_.vars.score, true);
  Gam_Set_Difficulty();
  state_.vars.chance_resume = resume;
  Gam_Check_Chance_Time();
}

void Unit::Timer_Bonus_Phase_1Timer() {
  const auto act = [&](Phase1 action) {
    const int n = state_.vars.chains_opened;  // the chain being opened, from step 2 on
    switch (action) {
      case Phase1::kNone:
        break;
      case Phase1::kCountChain:
        StepOn(state_.vars.chains_opened);
        break;
      case Phase1::kChainOff:
        Hide(Chain(n));
        break;
      case Phase1::kChainOn:
        Show(Chain(n));
        break;
      case Phase1::kOpenChain:
        Hide(Chain(n));
        Vid_Show_Garu_Arm_Lock(false);
        Show(im_garu_arm_l2);
        Hide(LockHand(state_.vars.hero_row));
        if (n == 4) {
          Vid_Show_Hero(false);
          Show(im_tiko_victory);
        }
        break;
      case Phase1::kPayPoint:
        PayRescuePoint(Resume::kRescuePhase1);
        Play(
            SoundId::snd_Point);  // after the check: it sounds even over a chance fanfare's silence
        break;
      case Phase1::kPhase2OrWait:
        if (n == 4) {
          Disable(TimerId::Timer_Bonus_Phase_1);
          state_.vars.bonus2_step = 1;
          Start(TimerId::Timer_Bonus_Phase_2, 1);
        } else {
          Interval(TimerId::Timer_Bonus_Phase_1, kPhase1WaitMs);
        }
        break;
      case Phase1::kResume:
        Hide(im_garu_arm_l2);
        state_.vars.garu_arm_pos = 5;
        Vid_Show_Garu_Arm_Lock(true);  // arm and lock at height 2
        state_.vars.key_state = KeyState::kHanging;
        Show(key_seg[1]);
        ResumeNormalPlay();
        StartFlyingTune();
        if (state_.vars.double_score_on) Start(TimerId::Timer_Score_Blink, kScoreBlinkMs);
        Disable(TimerId::Timer_Bonus_Phase_1);
        break;
    }
  };
  RunStep(state_.timers, TimerId::Timer_Bonus_Phase_1, kPhase1Steps, state_.vars.bonus1_step, act);
}

void Unit::Timer_Bonus_Phase_2Timer() {
  const auto act = [&](Phase2 action) {
    switch (action) {
      case Phase2::kNone:
        break;
      case Phase2::kFanfare:
        StepOn(state_.vars.rescue_count);
        Play(state_.vars.rescue_count == 1 ? SoundId::snd_Bonus2 : SoundId::snd_Bonus3);
        break;
      case Phase2::kArmUp:
        Hide(im_garu_arm_r1);  // Garu raises his right arm
        Show(im_garu_arm_r2);
        break;
      case Phase2::kArmDown:
        Hide(im_garu_arm_r2);
        Show(im_garu_arm_r1);
        break;
      case Phase2::kPayPoint:
        PayRescuePoint(Resume::kRescuePhase2);
        break;
      case Phase2::kNewCage:
        BuildNewCage();
        break;
      case Phase2::kResume:
        ResumeNormalPlay();  // no flying tune: the hero is back at the start
        if (state_.vars.double_score_on) Start(TimerId::Timer_Score_Blink, kScoreBlinkMs);
        Disable(TimerId::Timer_Bonus_Phase_2);
        break;
    }
  };
  RunStep(state_.timers, TimerId::Timer_Bonus_Phase_2, kPhase2Steps, state_.vars.bonus2_step, act);
}

// Garu is locked in again, the key back at its hook and the hero at the start.
void Unit::BuildNewCage() {
  Hide(im_tiko_victory);
  Hide(im_garu_arm_r2);
  Show(im_garu_arm_r1);
  Play(SoundId::snd_Start2);
  state_.vars.garu_arm_pos = 5;
  Vid_Show_Garu_Arm_Lock(true);
  state_.vars.key_state = KeyState::kHanging;
  Show(key_seg[1]);
  Enable(TimerId::Timer_Key_Blink);  // the key blinks during the pause
  state_.vars.hero_col = 1;
  state_.vars.hero_row = 5;
  Vid_Show_Hero(true);
  Hide(crow_seg[2][5]);
  Hide(crow_seg[3][5]);
  RemoveFallingCoconut();
  state_.vars.chains_opened = 0;
  Vid_Show_All_Garu_Chains(true);
}

}  // namespace tiko
