// The key and the cage: the hanging key's blink, Garu's moving arm, the key's
// fall after a wrong reach, and the two phases of the rescue.
#include "engine/play_intervals.h"
#include "engine/saturating.h"
#include "engine/unit.h"

namespace tiko {

using namespace seg;
using namespace play;

namespace {

// Next interval set by a step of a sequence; 0 keeps the interval it has.
struct StepInterval {
  int step;
  int next_ms;
};

template <std::size_t N>
int NextInterval(const StepInterval (&table)[N], int step) {
  for (const StepInterval& s : table) {
    if (s.step == step) return s.next_ms;
  }
  return 0;
}

// The key's fall: step 1 withdraws the hand, 2..8 show the key at the bottom
// and the miss figure blinking, 9 resumes play.
constexpr StepInterval kKeyFallIntervals[] = {{1, 340}, {2, 160}};

// Rescue phase 1: 1 counts the chain, 2..9 blink it, 10 opens it, 11..20 pay a
// point each, 21 hands over to phase 2 or waits, 22 resumes play.
constexpr StepInterval kPhase1Intervals[] = {{1, 180}, {10, 160}, {21, 900}};

// Rescue phase 2: 2 the fanfare, 3..9 Garu waves his right arm, 10..19 pay a
// point each, 21 the new cage, 22 resumes play.
constexpr StepInterval kPhase2Intervals[] = {{1, 250}, {2, 800},  {3, 250},
                                             {9, 160}, {20, 350}, {21, 3300}};

ImageId Chain(int n) {
  return n >= 1 && n <= 4 ? garu_chain_seg[n] : kNoImage;
}

constexpr bool Between(int step, int first, int last) {
  return step >= first && step <= last;
}
}  // namespace

void Unit::Timer_Key_BlinkTimer() {
  Set(key_seg[1], !Lit(key_seg[1]));
}

// From a game's start the lit lock height runs 4, 3, then 4, 3, 2, 3 over and over.
void Unit::Timer_Garu_ArmTimer() {
  Vid_Show_Garu_Arm_Lock(false);
  StepOn(vars.garu_arm_pos);
  if (vars.garu_arm_pos > 6) vars.garu_arm_pos = 3;
  Vid_Show_Garu_Arm_Lock(true);
}

void Unit::Timer_Key_FallTimer() {
  const int step = vars.key_fall_step;
  if (step == 1) {
    if (vars.hero_row >= 2 && vars.hero_row <= 4) Hide(tiko_hand_6_seg[vars.hero_row]);
  } else if (step == 2 || step == 4) {
    Show(key_seg[2]);
  } else if (step == 3) {
    Hide(key_seg[2]);
  } else if (step == 5) {
    Hide(key_seg[2]);
    Show(miss_seg[2]);
  } else if (step == 7) {
    Hide(miss_seg[2]);
  } else if (step == 9) {
    // The key is back at its hook; the hero still hangs where he reached.
    vars.key_state = 1;
    Show(key_seg[1]);
    Enable(TimerId::Timer_Key_Blink);
    Gam_Set_Difficulty();
    Enable(TimerId::Timer_Game);
    Start(TimerId::Timer_Garu_Arm, kGaruArmMs);
    Start(TimerId::Timer_Umbrella_Balloon, kUmbrellaBalloonMs);
    Play(SoundId::snd_Flying);
    Start(TimerId::Timer_Flying_Music, kFlyingTuneMs);
    vars.play_active = true;
    Disable(TimerId::Timer_Key_Fall);
  }
  if (int ms = NextInterval(kKeyFallIntervals, step)) Interval(TimerId::Timer_Key_Fall, ms);
  StepOn(vars.key_fall_step);
}

// One point of a rescue phase; chance time may start from it.
void Unit::PayRescuePoint(int resume) {
  AddTo(vars.score, vars.point_value);
  Vid_Show_Panel_Score(vars.score, true);
  Gam_Set_Difficulty();
  vars.chance_resume = resume;
  Gam_Check_Chance_Time();
}

void Unit::Timer_Bonus_Phase_1Timer() {
  const int step = vars.bonus1_step;
  const int n = vars.chains_opened;  // the chain being opened, from step 2 on
  if (step == 1) {
    StepOn(vars.chains_opened);
  } else if (Between(step, 2, 9)) {
    Set(Chain(n), step % 2 == 1);  // blinks: off on even steps, on on odd
  } else if (step == 10) {
    Hide(Chain(n));  // the chain is open
    Vid_Show_Garu_Arm_Lock(false);
    Show(im_garu_arm_l2);
    if (vars.hero_row >= 2 && vars.hero_row <= 4) Hide(tiko_hand_6_seg[vars.hero_row]);
    if (n == 4) {
      Vid_Show_Hero(false);
      Show(im_tiko_victory);
    }
  } else if (Between(step, 11, 20)) {
    PayRescuePoint(3);
    Play(SoundId::snd_Point);  // after the check: it sounds even over a chance fanfare's silence
  } else if (step == 21 && n == 4) {
    Disable(TimerId::Timer_Bonus_Phase_1);
    vars.bonus2_step = 1;
    Start(TimerId::Timer_Bonus_Phase_2, 1);
  } else if (step == 22) {
    Hide(im_garu_arm_l2);
    vars.garu_arm_pos = 5;
    Vid_Show_Garu_Arm_Lock(true);  // arm and lock at height 2
    vars.key_state = 1;
    Show(key_seg[1]);
    Enable(TimerId::Timer_Key_Blink);
    Start(TimerId::Timer_Umbrella_Balloon, kUmbrellaBalloonMs);
    Start(TimerId::Timer_Garu_Arm, kGaruArmMs);
    Play(SoundId::snd_Flying);
    Start(TimerId::Timer_Flying_Music, kFlyingTuneMs);
    if (vars.double_score_on) Start(TimerId::Timer_Score_Blink, kScoreBlinkMs);
    Gam_Set_Difficulty();
    Enable(TimerId::Timer_Game);
    vars.play_active = true;
    Disable(TimerId::Timer_Bonus_Phase_1);
  }
  if (!(step == 21 && n == 4)) {
    if (int ms = NextInterval(kPhase1Intervals, step)) Interval(TimerId::Timer_Bonus_Phase_1, ms);
  }
  StepOn(vars.bonus1_step);
}

void Unit::Timer_Bonus_Phase_2Timer() {
  const int step = vars.bonus2_step;
  if (step == 2) {
    StepOn(vars.rescue_count);
    Play(vars.rescue_count == 1 ? SoundId::snd_Bonus2 : SoundId::snd_Bonus3);
  } else if (step == 3 || step == 5 || step == 7 || step == 9) {
    Hide(im_garu_arm_r1);  // Garu raises his right arm
    Show(im_garu_arm_r2);
  } else if (step == 4 || step == 6 || step == 8) {
    Hide(im_garu_arm_r2);
    Show(im_garu_arm_r1);
  } else if (Between(step, 10, 19)) {
    PayRescuePoint(4);
  } else if (step == 21) {
    BuildNewCage();
  } else if (step == 22) {
    Gam_Set_Difficulty();
    Enable(TimerId::Timer_Game);
    Start(TimerId::Timer_Garu_Arm, kGaruArmMs);
    Start(TimerId::Timer_Umbrella_Balloon, kUmbrellaBalloonMs);
    if (vars.double_score_on) Start(TimerId::Timer_Score_Blink, kScoreBlinkMs);
    vars.play_active = true;  // no flying tune: the hero is back at the start
    Disable(TimerId::Timer_Bonus_Phase_2);
  }
  if (int ms = NextInterval(kPhase2Intervals, step)) Interval(TimerId::Timer_Bonus_Phase_2, ms);
  StepOn(vars.bonus2_step);
}

// Garu is locked in again, the key back at its hook and the hero at the start.
void Unit::BuildNewCage() {
  Hide(im_tiko_victory);
  Hide(im_garu_arm_r2);
  Show(im_garu_arm_r1);
  Play(SoundId::snd_Start2);
  vars.garu_arm_pos = 5;
  Vid_Show_Garu_Arm_Lock(true);
  vars.key_state = 1;
  Show(key_seg[1]);
  Enable(TimerId::Timer_Key_Blink);  // the key blinks during the pause
  vars.hero_col = 1;
  vars.hero_row = 5;
  Vid_Show_Hero(true);
  Hide(crow_seg[2][5]);
  Hide(crow_seg[3][5]);
  RemoveFallingCoconut();
  vars.chains_opened = 0;
  Vid_Show_All_Garu_Chains(true);
}

// A falling coconut is removed, a hanging one kept.
void Unit::RemoveFallingCoconut() {
  bool hanging = Lit(coconut_seg[0]);
  Vid_Show_All_Coconuts(false);
  if (hanging) Show(coconut_seg[0]);
}

}  // namespace tiko
