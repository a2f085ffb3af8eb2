// The start tune, the end of a game with its high-score rule, the game-over
// blinking, the blinking score and the clock.
#include "engine/play_intervals.h"
#include "engine/step_table.h"
#include "engine/unit.h"

namespace tiko {

using namespace seg;
using namespace play;

namespace {
// The start of a game: the start tune, then play.
enum class GameStart { kNone, kTune, kPlay };
constexpr StepRow<GameStart> kGameStartSteps[] = {
    {0, GameStart::kNone, 0},  // (unused)
    {1, GameStart::kTune, 4000},
    {2, GameStart::kPlay, 0},
};
static_assert(StepsInOrder(kGameStartSteps));
}  // namespace

void Unit::Timer_Game_StartTimer() {
  const auto act = [&](GameStart action) {
    switch (action) {
      case GameStart::kNone:
        break;
      case GameStart::kTune:
        Play(SoundId::snd_Start1);
        break;
      case GameStart::kPlay:
        Start(TimerId::Timer_Garu_Arm, kGaruArmMs);
        state_.vars.umbrella_balloon_step = 1;
        Start(TimerId::Timer_Umbrella_Balloon, kUmbrellaBalloonMs);
        state_.vars.play_active = true;
        state_.vars.game_phase = 1;
        Gam_Set_Difficulty();
        Enable(TimerId::Timer_Game);
        Disable(TimerId::Timer_Game_Start);
        break;
    }
  };
  RunStep(state_.timers, TimerId::Timer_Game_Start, kGameStartSteps, state_.vars.game_start_step,
          act);
}

void Unit::Gam_End_Of_Game() {
  if (state_.vars.score >= 1000)
    state_.vars.score %= 1000;  // below 1000, as counting down by 1000 leaves it
  if (state_.vars.mode == Mode::kGameA && state_.vars.score > state_.vars.hiscore_a) {
    state_.vars.hiscore_a = state_.vars.score;
    if (ports_.store) ports_.store->WriteInteger("HiScore1", state_.vars.hiscore_a);
  }
  if (state_.vars.mode == Mode::kGameB && state_.vars.score > state_.vars.hiscore_b) {
    state_.vars.hiscore_b = state_.vars.score;
    if (ports_.store) ports_.store->WriteInteger("HiScore2", state_.vars.hiscore_b);
  }
  state_.vars.mode = Mode::kGameOver;
  state_.vars.game_over_step = 1;
  Start(TimerId::Timer_Game_Over, 1000);
}

void Unit::Timer_Game_OverTimer() {
  if (state_.vars.hero_col > 4 && state_.vars.hero_row == 5) {
    // The last miss was a fall from the right: the hero lies at the bottom.
    Set(miss_seg[1], !Lit(miss_seg[1]));
  } else if (ImageId hero = HeroSegAt(state_.vars.hero_col, state_.vars.hero_row);
             hero != kNoImage) {
    Set(hero, !Lit(hero));
    if (state_.vars.hero_col == 1 && state_.vars.hero_row == 1) {
      Hide(tiko_hand_1_1_seg[2]);
      Set(tiko_hand_1_1_seg[1], Lit(hero));
    }
  }
  StepOn(state_.vars.game_over_step);
  if (state_.vars.game_over_step >= 300) {
    EnterMode(Mode::kClock);
    Disable(TimerId::Timer_Game_Over);
  }
}

void Unit::Timer_Score_BlinkTimer() {
  if (state_.vars.score_blink_phase % 2 == 0) {
    Vid_Show_Panel_Score(state_.vars.score, true);
  } else {
    Vid_Show_Panel_Score(state_.vars.score, false);
  }
  StepOn(state_.vars.score_blink_phase);
  if (state_.vars.score_blink_phase == 3) state_.vars.score_blink_phase = 1;
}

void Unit::Timer_ClockTimer() {
  const TimeOfDay now = ports_.clock ? ports_.clock->Now() : TimeOfDayOf(TimeOfDayMs());
  int hours = now.hour;
  if (hours > 11) {
    hours -= 12;
    Hide(im_panel_time_am);
    Show(im_panel_time_pm);
  } else {
    Show(im_panel_time_am);
    Hide(im_panel_time_pm);
  }
  if (hours == 0) hours = 12;
  Vid_Show_Digit(1, hours >= 10 ? hours / 10 : -1);
  Vid_Show_Digit(2, hours % 10);
  Vid_Show_Digit(3, now.minute / 10);
  Vid_Show_Digit(4, now.minute % 10);
  Interval(TimerId::Timer_Clock, 1000);
}

}  // namespace tiko
