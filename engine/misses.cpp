// Ending a life and giving one back: the crow-hit and fall misses with their
// animations and the reprise.
#include "engine/step_table.h"
#include "engine/unit.h"

namespace tiko {

using namespace seg;

namespace {

// The crow-hit animation: the hero blinks where he was caught.
enum class HeroBlink { kNone, kHide, kHideAllHands, kShow, kReprise };
constexpr StepRow<HeroBlink> kMissCrowSteps[] = {
    {0, HeroBlink::kNone, 0},                                        // (unused)
    {1, HeroBlink::kNone, 200}, {2, HeroBlink::kHideAllHands, 450},  // the reaching hand goes too
    {3, HeroBlink::kShow, 250}, {4, HeroBlink::kHide, 450},         {5, HeroBlink::kShow, 250},
    {6, HeroBlink::kHide, 800}, {7, HeroBlink::kReprise, 0},
};
static_assert(StepsInOrder(kMissCrowSteps));

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
constexpr StepRow<Fall> kMissFallSteps[] = {
    {0, Fall::kDrop, 0},  // (unused)
    {1, Fall::kDrop, 180},         {2, Fall::kDrop, 180},        {3, Fall::kDrop, 300},
    {4, Fall::kLand, 1},  // below the lowest place, the figure at the bottom
    {5, Fall::kMissTune, 840},     {6, Fall::kShowFigure2, 160}, {7, Fall::kHideFigure2, 310},
    {8, Fall::kShowFigure2, 160},  {9, Fall::kHideFigure2, 310}, {10, Fall::kShowFigure2, 160},
    {11, Fall::kHideFigure2, 340}, {12, Fall::kHideFigure1, 0},  {13, Fall::kShowFigure1, 0},
    {14, Fall::kHideFigure1, 0},   {15, Fall::kShowFigure1, 0},  {16, Fall::kHideFigure1, 800},
    {17, Fall::kReprise, 0},
};
static_assert(StepsInOrder(kMissFallSteps));

}  // namespace

// --- start of a miss ---

void Unit::StopPlayForMiss() {
  Gam_Stop_All_Timers();
  Silence();
  state_.vars.play_active = false;
  Vid_Show_Panel_Score(state_.vars.score, true);  // a blinking score stays lit
}

void Unit::Gam_Execute_Miss_Crow() {
  StopPlayForMiss();
  Play(SoundId::snd_Miss);
  state_.vars.miss_crow_step = 1;
  Start(TimerId::Timer_Miss_Crow, 1);
}

void Unit::Gam_Execute_Miss_Fall() {
  StopPlayForMiss();
  Play(SoundId::snd_Falling);
  state_.vars.miss_fall_step = state_.vars.hero_row;
  Start(TimerId::Timer_Miss_Fall, 1);
}

// --- the animations ---

void Unit::Timer_Miss_CrowTimer() {
  const auto act = [&](HeroBlink action) {
    const bool top_left = state_.vars.hero_col == 1 && state_.vars.hero_row == 1;
    switch (action) {
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
  };
  RunStep(state_.timers, TimerId::Timer_Miss_Crow, kMissCrowSteps, state_.vars.miss_crow_step, act);
}

void Unit::Timer_Miss_FallTimer() {
  const auto act = [&](Fall action) {
    switch (action) {
      case Fall::kDrop:
        Vid_Show_Hero(false);
        StepOn(state_.vars.hero_row);
        Vid_Show_Hero(true);
        break;
      case Fall::kLand:
        Vid_Show_Hero(false);
        StepOn(state_.vars.hero_row);  // now 5: no hero place there
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
  };
  RunStep(state_.timers, TimerId::Timer_Miss_Fall, kMissFallSteps, state_.vars.miss_fall_step, act);
}

// --- the reprise ---

void Unit::Gam_Reprise_After_Miss() {
  StepOn(state_.vars.miss_count);
  Vid_Show_Panel_Miss(state_.vars.miss_count);
  if (state_.vars.miss_count >= 3) {
    Gam_End_Of_Game();  // the hero stays where the last miss left him
    return;
  }
  state_.vars.hero_col = 1;
  state_.vars.hero_row = 5;
  Vid_Show_Hero(true);
  Hide(crow_seg[2][5]);  // the two crows next to the start position
  Hide(crow_seg[3][5]);
  Vid_Show_All_Coconuts(false);
  state_.vars.point_value = 1;
  state_.vars.double_score_on = false;
  state_.vars.key_state = KeyState::kHanging;  // a carried key goes back to its hook
  Show(key_seg[1]);
  ResumeNormalPlay();
}

}  // namespace tiko
