// Ending a life and giving one back: the crow-hit and fall misses with their
// animations, the reprise, and chance time with its fanfares.
#include "engine/play_intervals.h"
#include "engine/saturating.h"
#include "engine/unit.h"

namespace tiko {

using namespace seg;
using namespace play;

namespace {

// The crow-hit animation: the hero blinks where he was caught.
enum class HeroBlink { kNone, kHide, kHideAllHands, kShow, kReprise };
struct MissCrowStep {
  HeroBlink action;
  int next_ms;
};
constexpr MissCrowStep kMissCrowSteps[] = {
    {HeroBlink::kNone, 0},            // (unused step 0)
    {HeroBlink::kNone, 200},          // 1
    {HeroBlink::kHideAllHands, 450},  // 2: the reaching hand goes too
    {HeroBlink::kShow, 250},          // 3
    {HeroBlink::kHide, 450},          // 4
    {HeroBlink::kShow, 250},          // 5
    {HeroBlink::kHide, 800},          // 6
    {HeroBlink::kReprise, 0},         // 7
};

// The fall animation, entered at the step equal to the height fallen from.
enum class Fall {
  kDrop,
  kLand,
  kMissTune,
  kShowFigure2,
  kHideFigure2,
  kShowFigure1,
  kHideFigure1,
  kReprise
};
struct MissFallStep {
  Fall action;
  int next_ms;  // 0 keeps the interval
};
constexpr MissFallStep kMissFallSteps[] = {
    {Fall::kDrop, 0},           // (unused step 0)
    {Fall::kDrop, 180},         // 1
    {Fall::kDrop, 180},         // 2
    {Fall::kDrop, 300},         // 3
    {Fall::kLand, 1},           // 4: below the lowest place, the figure at the bottom
    {Fall::kMissTune, 840},     // 5
    {Fall::kShowFigure2, 160},  // 6
    {Fall::kHideFigure2, 310},  // 7
    {Fall::kShowFigure2, 160},  // 8
    {Fall::kHideFigure2, 310},  // 9
    {Fall::kShowFigure2, 160},  // 10
    {Fall::kHideFigure2, 340},  // 11
    {Fall::kHideFigure1, 0},    // 12
    {Fall::kShowFigure1, 0},    // 13
    {Fall::kHideFigure1, 0},    // 14
    {Fall::kShowFigure1, 0},    // 15
    {Fall::kHideFigure1, 800},  // 16
    {Fall::kReprise, 0},        // 17
};

// Chance time: each fanfare but the last clears one miss on record.
enum class Fanfare { kClearMiss, kLast, kEnd };
constexpr Fanfare kChanceSteps[] = {Fanfare::kEnd, Fanfare::kClearMiss, Fanfare::kClearMiss,
                                    Fanfare::kLast, Fanfare::kEnd};
constexpr int kFanfareMs = 1800;
}  // namespace

// --- start of a miss ---

void Unit::StopPlayForMiss() {
  Gam_Stop_All_Timers();
  Silence();
  vars.play_active = false;
  Vid_Show_Panel_Score(vars.score, true);  // a blinking score stays lit
}

void Unit::Gam_Execute_Miss_Crow() {
  StopPlayForMiss();
  Play(SoundId::snd_Miss);
  vars.miss_crow_step = 1;
  Start(TimerId::Timer_Miss_Crow, 1);
}

void Unit::Gam_Execute_Miss_Fall() {
  StopPlayForMiss();
  Play(SoundId::snd_Falling);
  vars.miss_fall_step = vars.hero_row;
  Start(TimerId::Timer_Miss_Fall, 1);
}

// --- the animations ---

void Unit::Timer_Miss_CrowTimer() {
  const int step = vars.miss_crow_step;
  StepOn(vars.miss_crow_step);
  if (step < 1 || step > 7) return;
  const MissCrowStep& s = kMissCrowSteps[step];
  const bool top_left = vars.hero_col == 1 && vars.hero_row == 1;
  switch (s.action) {
    case HeroBlink::kNone:
      break;
    case HeroBlink::kHideAllHands:
      Vid_Show_Hero(false);
      if (top_left) {
        Hide(tiko_hand_1_1_seg[1]);
        Hide(tiko_hand_1_1_seg[2]);
      }
      break;
    case HeroBlink::kHide:
      Vid_Show_Hero(false);
      if (top_left) Hide(tiko_hand_1_1_seg[1]);
      break;
    case HeroBlink::kShow:
      Vid_Show_Hero(true);
      if (top_left) Show(tiko_hand_1_1_seg[1]);
      break;
    case HeroBlink::kReprise:
      Gam_Reprise_After_Miss();
      Disable(TimerId::Timer_Miss_Crow);
      return;
  }
  Interval(TimerId::Timer_Miss_Crow, s.next_ms);
}

void Unit::Timer_Miss_FallTimer() {
  const int step = vars.miss_fall_step;
  StepOn(vars.miss_fall_step);
  if (step < 1 || step > 17) return;
  const MissFallStep& s = kMissFallSteps[step];
  switch (s.action) {
    case Fall::kDrop:
      Vid_Show_Hero(false);
      StepOn(vars.hero_row);
      Vid_Show_Hero(true);
      break;
    case Fall::kLand:
      Vid_Show_Hero(false);
      StepOn(vars.hero_row);  // now 5: no hero place there
      Show(miss_seg[1]);
      break;
    case Fall::kMissTune:
      Silence();
      Play(SoundId::snd_Miss);
      break;
    case Fall::kShowFigure2:
      Show(miss_seg[2]);
      break;
    case Fall::kHideFigure2:
      Hide(miss_seg[2]);
      break;
    case Fall::kShowFigure1:
      Show(miss_seg[1]);
      break;
    case Fall::kHideFigure1:
      Hide(miss_seg[1]);
      break;
    case Fall::kReprise:
      Gam_Reprise_After_Miss();
      Disable(TimerId::Timer_Miss_Fall);
      return;
  }
  if (s.next_ms) Interval(TimerId::Timer_Miss_Fall, s.next_ms);
}

// --- the reprise ---

void Unit::Gam_Reprise_After_Miss() {
  StepOn(vars.miss_count);
  Vid_Show_Panel_Miss(vars.miss_count);
  if (vars.miss_count >= 3) {
    Gam_End_Of_Game();  // the hero stays where the last miss left him
    return;
  }
  vars.hero_col = 1;
  vars.hero_row = 5;
  Vid_Show_Hero(true);
  Hide(crow_seg[2][5]);  // the two crows next to the start position
  Hide(crow_seg[3][5]);
  Vid_Show_All_Coconuts(false);
  vars.point_value = 1;
  vars.double_score_on = false;
  Gam_Set_Difficulty();
  Enable(TimerId::Timer_Game);
  Start(TimerId::Timer_Garu_Arm, kGaruArmMs);
  Start(TimerId::Timer_Umbrella_Balloon, kUmbrellaBalloonMs);
  vars.key_state = 1;  // a carried key goes back to its hook
  Show(key_seg[1]);
  Enable(TimerId::Timer_Key_Blink);
  vars.play_active = true;
}

// --- chance time ---

void Unit::Gam_Check_Chance_Time() {
  if (vars.mode != 6 && vars.mode != 8) return;
  if (vars.score < vars.chance_threshold || vars.double_score_on) return;
  Gam_Stop_All_Timers();
  Silence();
  vars.play_active = false;
  AddTo(vars.chance_threshold, 1000);
  vars.double_score_on = vars.miss_count == 0;
  vars.chance_step = 3 - vars.miss_count;
  Start(TimerId::Timer_Chance, 500);
}

void Unit::Timer_ChanceTimer() {
  const int step = vars.chance_step;
  StepOn(vars.chance_step);
  if (step < 1 || step > 4) return;
  switch (kChanceSteps[step]) {
    case Fanfare::kClearMiss:
      Play(SoundId::snd_Chance);
      StepBack(vars.miss_count);
      Vid_Show_Panel_Miss(vars.miss_count);
      Interval(TimerId::Timer_Chance, kFanfareMs);
      break;
    case Fanfare::kLast:
      Play(SoundId::snd_Chance);
      Interval(TimerId::Timer_Chance, kFanfareMs);
      break;
    case Fanfare::kEnd:
      EndChanceTime();
      Disable(TimerId::Timer_Chance);
      break;
  }
}

void Unit::EndChanceTime() {
  if (vars.double_score_on) {
    vars.point_value = 2;
    Vid_Show_Panel_Score(vars.score, false);
    vars.score_blink_phase = 1;
    Start(TimerId::Timer_Score_Blink, kScoreBlinkMs);
  }
  switch (vars.chance_resume) {
    case 1:  // a flying catch
      Silence();
      Play(SoundId::snd_Flying);
      Start(TimerId::Timer_Flying_Music, kFlyingTuneMs);
      Enable(TimerId::Timer_Game);
      Start(TimerId::Timer_Garu_Arm, kGaruArmMs);
      Start(TimerId::Timer_Umbrella_Balloon, kUmbrellaBalloonMs);
      if (vars.key_state == 1) Enable(TimerId::Timer_Key_Blink);
      vars.play_active = true;
      RemoveFallingCoconut();
      break;
    case 2:  // the coconut bonus: the steps still to pay are dropped
      ResumePlayWithCoconutTune();
      break;
    case 3:  // the rescue phase goes on with its next step
      Enable(TimerId::Timer_Bonus_Phase_1);
      break;
    case 4:
      Enable(TimerId::Timer_Bonus_Phase_2);
      break;
    default:
      break;
  }
}

}  // namespace tiko
