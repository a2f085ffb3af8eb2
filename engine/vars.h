// The engine variables: the one set of counters and flags beside the segments.
#pragma once

#include <span>
#include <string_view>

namespace tiko {

// The ten modes `mode` holds.
enum class Mode : int {
  kClosed = 0,       // the lid is shut
  kAclHeld = 1,      // everything stopped
  kAllSegments = 2,  // every segment lit
  kTimeHeld = 3,     // the alarm time
  kClock = 4,        // the time of day
  kGameAHeld = 5,    // the Game A high score
  kGameA = 6,
  kGameBHeld = 7,  // the Game B high score
  kGameB = 8,
  kGameOver = 9,
};

// Modes 6 and 8: a game is running (in play or in one of its sequences).
constexpr bool InGame(Mode m) {
  return m == Mode::kGameA || m == Mode::kGameB;
}

// Where the key is (`key_state`); none before the first game.
enum class KeyState : int {
  kNone = 0,
  kHanging = 1,  // at its hook at the start, blinking
  kCarried = 2,
};

// The sequence chance time hands back to (`chance_resume`), set by the scoring
// step that started it.
enum class Resume : int {
  kNone = 0,
  kFlyingCatch = 1,
  kCoconutBonus = 2,
  kRescuePhase1 = 3,
  kRescuePhase2 = 4,
};

struct Vars {
  Mode mode = Mode::kClosed;
  int score = 0;
  int hiscore_a = 0;
  int hiscore_b = 0;
  int point_value = 0;
  int chance_threshold = 0;
  int miss_count = 0;
  bool double_score_on = false;
  int hero_col = 0;
  int hero_row = 0;
  bool hero_move_lock = false;
  bool play_active = false;
  int crow_spawn_range = 0;
  int game_phase = 0;
  KeyState key_state = KeyState::kNone;
  int chains_opened = 0;
  int rescue_count = 0;
  int garu_arm_pos = 0;
  int coconut_pos = 0;
  int coconut_bonus_next = 0;
  int coconut_bonus_left = 0;
  Resume chance_resume = Resume::kNone;
  int game_start_step = 0;
  int game_over_step = 0;
  int score_blink_phase = 0;
  int hand_1_1_step = 0;
  int jump_step = 0;
  int umbrella_balloon_step = 0;
  int coconut_bonus_step = 0;
  int key_fall_step = 0;
  int bonus1_step = 0;
  int bonus2_step = 0;
  int miss_crow_step = 0;
  int miss_fall_step = 0;
  int chance_step = 0;
};

// One row per variable, in the order `dump` prints them; every value reads and
// writes as an int (a flag as 0 or 1).
struct VarField {
  std::string_view name;
  bool flag;
  int (*get)(const Vars&);
  void (*set)(Vars&, int);
};

std::span<const VarField> VarTable();
const VarField* FindVar(std::string_view name);

}  // namespace tiko
