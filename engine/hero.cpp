// The hero under the player's hands: the five hero buttons, their moves by the
// move table, the move lock with its step timer, the hand gestures at the
// coconut and at the cage, and the jump to the key.
#include "engine/hero_tables.h"
#include "engine/play_intervals.h"
#include "engine/step_table.h"
#include "engine/unit.h"

namespace tiko {

using namespace seg;
using namespace play;
using hero::Kind;
using hero::MoveAt;
using hero::Test;

namespace {
// The hand at the coconut: it comes back to rest, then the move lock opens.
enum class CoconutHand { kNone, kRest, kUnlock };
constexpr StepRow<CoconutHand> kCoconutHandSteps[] = {
    {0, CoconutHand::kNone, 0},  // (unused)
    {1, CoconutHand::kRest, 800},
    {2, CoconutHand::kUnlock, 0},
};
static_assert(StepsInOrder(kCoconutHandSteps));

// The jump to the key: the first tick sets the hang time at (1, 4) from the
// crows nearby, the second lands the hero with the key and stays the last.
enum class Jump { kNone, kHang, kLand };
constexpr StepRow<Jump> kJumpSteps[] = {
    {0, Jump::kNone, 0},  // (unused)
    {1, Jump::kHang, 0},  // sets the hang time itself
    {2, Jump::kLand, 0, 2},
};
static_assert(StepsInOrder(kJumpSteps));
}  // namespace

// --- shared pieces of the moves ---

bool Unit::HeroPressAccepted() {
  if (!InGame(state_.vars.mode)) return false;
  if (!state_.vars.play_active || state_.vars.hero_move_lock) return false;
  state_.vars.hero_move_lock = true;  // set even when the press leads to no move
  return true;
}

void Unit::ShowCrossPressed(ImageId picture_of) {
  state_.scene.SetPicture(btn_cross_down, picture_of);
  Show(btn_cross_down);
}

void Unit::MoveHero(int col, int row) {
  Vid_Show_Hero(false);
  state_.vars.hero_col = col;
  state_.vars.hero_row = row;
  Vid_Show_Hero(true);
}

void Unit::StartStepLock() {
  Start(TimerId::Timer_Tiko_Step, hero::kStepLockMs);
}

// Landing on an umbrella or grabbing a balloon.
void Unit::Catch() {
  AddTo(state_.vars.score, state_.vars.point_value);
  Vid_Show_Panel_Score(state_.vars.score, true);
  Gam_Set_Difficulty();
  state_.vars.chance_resume = Resume::kFlyingCatch;
  Gam_Check_Chance_Time();
}

void Unit::FlyingTuneStart() {
  Disable(TimerId::Timer_Coconut_Music);
  Silence();
  StartFlyingTune();
}

// A plain move of the move table with its crow test; returns whether the hero moved.
bool Unit::StepWithCrowTest(const hero::Move& move) {
  if (move.test == Test::kBefore && Gam_Check_Collisions()) {
    Gam_Execute_Miss_Crow();
    return false;
  }
  MoveHero(move.col, move.row);
  Play(SoundId::snd_Step);
  if (move.test == Test::kAfter && Gam_Check_Collisions()) Gam_Execute_Miss_Crow();
  return true;
}

// --- presses ---

void Unit::Inp_up_down() {
  ShowCrossPressed(btn_cross_down_up);
  if (!HeroPressAccepted()) return;
  hero::Move move = MoveAt(state_.vars.hero_col, state_.vars.hero_row, hero::kUp);
  if (move.kind == Kind::kKnockCoconut) {
    Hide(tiko_hand_1_1_seg[1]);
    Show(tiko_hand_1_1_seg[2]);
    if (Lit(coconut_seg[0])) {
      Vid_Show_Coconut(false);  // a coconut still falling from an earlier knock is gone
      Silence();
      Play(SoundId::snd_Coconut);
      state_.vars.coconut_bonus_next = 2;
      state_.vars.coconut_pos = 0;
      Start(TimerId::Timer_Coconut, 1);
      Start(TimerId::Timer_Coconut_Music, kCoconutTuneMs);
    } else {
      Play(SoundId::snd_Hand1);
    }
    state_.vars.hand_1_1_step = 1;
    Start(TimerId::Timer_Tiko_1_1_Hand, 200);
  } else if (move.kind == Kind::kStep) {
    MoveHero(move.col, move.row);
    if (state_.vars.hero_col == 1 && state_.vars.hero_row == 1) Show(tiko_hand_1_1_seg[1]);
    Play(SoundId::snd_Step);
    StartStepLock();
  }
  // Elsewhere the lock lasts until the button is released.
}

void Unit::Inp_down_down() {
  ShowCrossPressed(btn_cross_down_down);
  if (!HeroPressAccepted()) return;
  if (state_.vars.hero_col == 1 && state_.vars.hero_row == 1) {
    Hide(tiko_hand_1_1_seg[1]);
    Hide(tiko_hand_1_1_seg[2]);
  }
  hero::Move move = MoveAt(state_.vars.hero_col, state_.vars.hero_row, hero::kDown);
  if (move.kind == Kind::kStep) {
    MoveHero(move.col, move.row);
    Play(SoundId::snd_Step);
  }
  StartStepLock();
}

void Unit::Inp_left_down() {
  ShowCrossPressed(btn_cross_down_left);
  if (!HeroPressAccepted()) return;
  hero::Move move = MoveAt(state_.vars.hero_col, state_.vars.hero_row, hero::kLeft);
  switch (move.kind) {
    case Kind::kStep:
      StepWithCrowTest(move);
      break;
    case Kind::kOffUmbrella:
      MoveHero(move.col, move.row);
      Silence();
      Play(SoundId::snd_Step);
      Disable(TimerId::Timer_Flying_Music);
      break;
    case Kind::kToUmbrella:
      MoveHero(move.col, move.row);
      if (move.row > 1) Hide(tiko_hand_6_seg[move.row]);
      if (Lit(umbrella_seg[move.row])) {
        Catch();
      } else {
        Gam_Execute_Miss_Fall();
      }
      break;
    default:
      break;
  }
  if (state_.vars.hero_col == 1 && state_.vars.hero_row == 1) Show(tiko_hand_1_1_seg[1]);
  // Only stepping off the top umbrella leads here; that step makes no test of its own.
  if (state_.vars.hero_col == 4 && state_.vars.hero_row == 1 && Gam_Check_Collisions())
    Gam_Execute_Miss_Crow();
  StartStepLock();
}

void Unit::Inp_right_down() {
  ShowCrossPressed(btn_cross_down_right);
  if (!HeroPressAccepted()) return;
  hero::Move move = MoveAt(state_.vars.hero_col, state_.vars.hero_row, hero::kRight);
  switch (move.kind) {
    case Kind::kReachLock:
      ReachForLock(move.row);
      break;
    case Kind::kToBalloon:
      MoveHero(move.col, move.row);
      if (Lit(balloon_seg[move.row])) {
        Catch();
      } else {
        Gam_Execute_Miss_Fall();
      }
      break;
    case Kind::kOntoUmbrella:
      if (move.test == Test::kBefore && Gam_Check_Collisions()) {
        Gam_Execute_Miss_Crow();
        break;
      }
      MoveHero(move.col, move.row);
      Play(SoundId::snd_Step);
      if (Lit(umbrella_seg[move.row])) {
        FlyingTuneStart();
        Catch();
      } else {
        Gam_Execute_Miss_Fall();
      }
      break;
    case Kind::kStep: {
      bool from_top_left = state_.vars.hero_col == 1 && state_.vars.hero_row == 1;
      if (from_top_left) {
        // The hand leaves the vine with the hero, before the step sounds.
        if (Gam_Check_Collisions()) {
          Gam_Execute_Miss_Crow();
          break;
        }
        MoveHero(move.col, move.row);
        Hide(tiko_hand_1_1_seg[1]);
        Hide(tiko_hand_1_1_seg[2]);
        Play(SoundId::snd_Step);
      } else {
        StepWithCrowTest(move);
      }
      break;
    }
    default:
      break;
  }
  StartStepLock();
}

// Right at (6, row), row 2..4: with the key at the lit lock the rescue starts,
// at a dark one the key falls; without the key the hand only reaches.
void Unit::ReachForLock(int row) {
  Show(tiko_hand_6_seg[row]);
  Disable(TimerId::Timer_Flying_Music);
  Silence();
  if (state_.vars.key_state == KeyState::kCarried && Lit(garu_lock_seg[row])) {
    Gam_Stop_All_Timers();
    state_.vars.play_active = false;
    Play(SoundId::snd_Bonus1);
    state_.vars.bonus1_step = 1;
    Start(TimerId::Timer_Bonus_Phase_1, 1);
  } else if (state_.vars.key_state == KeyState::kCarried) {
    Gam_Stop_All_Timers();
    state_.vars.play_active = false;
    Play(SoundId::snd_Key2);
    state_.vars.key_fall_step = 1;
    Start(TimerId::Timer_Key_Fall, 100);
  } else {
    Play(SoundId::snd_Hand2);
    Start(TimerId::Timer_Tiko_6_Hand, 240);
  }
}

void Unit::Inp_jump_down() {
  Show(btn_jump_down);
  if (!HeroPressAccepted()) return;
  hero::Move move = MoveAt(state_.vars.hero_col, state_.vars.hero_row, hero::kJump);
  if (move.kind == Kind::kStep) {
    MoveHero(move.col, move.row);
    Play(SoundId::snd_Jump);
  } else if (move.kind == Kind::kJumpToKey) {
    MoveHero(move.col, move.row);
    Play(state_.vars.key_state == KeyState::kHanging ? SoundId::snd_Key1 : SoundId::snd_Jump);
    state_.vars.play_active = false;
    state_.vars.jump_step = 1;
    Start(TimerId::Timer_Tiko_Jump, 1);
  }
  // No step timer: the lock lasts until the jump button is released.
}

// --- releases: in every mode, whichever button set the lock ---

void Unit::Inp_up_up() {
  Hide(btn_cross_down);
  state_.vars.hero_move_lock = false;
}
void Unit::Inp_down_up() {
  Hide(btn_cross_down);
  state_.vars.hero_move_lock = false;
}
void Unit::Inp_left_up() {
  Hide(btn_cross_down);
  state_.vars.hero_move_lock = false;
}
void Unit::Inp_right_up() {
  Hide(btn_cross_down);
  state_.vars.hero_move_lock = false;
}
void Unit::Inp_jump_up() {
  Hide(btn_jump_down);
  state_.vars.hero_move_lock = false;
}

// --- the hero's timers ---

void Unit::Timer_Tiko_StepTimer() {
  state_.vars.hero_move_lock = false;
  Disable(TimerId::Timer_Tiko_Step);
}

void Unit::Timer_Tiko_1_1_HandTimer() {
  const auto act = [&](CoconutHand action) {
    switch (action) {
      case CoconutHand::kNone:
        break;
      case CoconutHand::kRest:
        Hide(tiko_hand_1_1_seg[2]);
        if (Lit(tiko_seg[1][1])) Show(tiko_hand_1_1_seg[1]);
        break;
      case CoconutHand::kUnlock:
        state_.vars.hero_move_lock = false;
        Disable(TimerId::Timer_Tiko_1_1_Hand);
        break;
    }
  };
  RunStep(state_.timers, TimerId::Timer_Tiko_1_1_Hand, kCoconutHandSteps, state_.vars.hand_1_1_step,
          act);
}

void Unit::Timer_Tiko_6_HandTimer() {
  if (state_.vars.hero_row >= 2 && state_.vars.hero_row <= 4)
    Hide(tiko_hand_6_seg[state_.vars.hero_row]);
  Silence();
  Play(SoundId::snd_Flying);
  RestartFlyingMusic();
  Disable(TimerId::Timer_Tiko_6_Hand);
}

void Unit::Timer_Tiko_JumpTimer() {
  const auto act = [&](Jump action) {
    switch (action) {
      case Jump::kNone:
        break;
      case Jump::kHang: {
        const int game_ms = state_.timers[TimerId::Timer_Game].interval;
        if (!Lit(crow_seg[2][5]))
          Interval(TimerId::Timer_Tiko_Jump,
                   state_.vars.key_state == KeyState::kHanging ? 620 : 560);
        if (Lit(crow_seg[1][4])) {
          Disable(TimerId::Timer_Key_Blink);
          Hide(key_seg[1]);
          Interval(TimerId::Timer_Tiko_Jump, game_ms / 2);
        }
        if (Lit(crow_seg[2][5])) {
          Disable(TimerId::Timer_Key_Blink);
          Hide(key_seg[1]);
          Interval(TimerId::Timer_Tiko_Jump, game_ms * 2);
        }
        break;
      }
      case Jump::kLand:
        Disable(TimerId::Timer_Key_Blink);
        Hide(key_seg[1]);
        // Taking the key hangs a new coconut at the top left.
        if (state_.vars.key_state == KeyState::kHanging) Show(coconut_seg[0]);
        state_.vars.key_state = KeyState::kCarried;
        MoveHero(1, 5);
        Play(SoundId::snd_Step);
        state_.vars.play_active = true;
        Disable(TimerId::Timer_Tiko_Jump);
        break;
    }
  };
  RunStep(state_.timers, TimerId::Timer_Tiko_Jump, kJumpSteps, state_.vars.jump_step, act,
          OutsideSteps::kKeep);
}

}  // namespace tiko
