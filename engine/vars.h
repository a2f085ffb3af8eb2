// The engine variables: the one set of counters and flags beside the segments.
#pragma once

#include <span>
#include <string_view>

namespace tiko {

// The ten modes `mode` holds.
namespace mode {
inline constexpr int kClosed = 0;       // the lid is shut
inline constexpr int kAclHeld = 1;      // everything stopped
inline constexpr int kAllSegments = 2;  // every segment lit
inline constexpr int kTimeHeld = 3;     // the alarm time
inline constexpr int kClock = 4;        // the time of day
inline constexpr int kGameAHeld = 5;    // the Game A high score
inline constexpr int kGameA = 6;
inline constexpr int kGameBHeld = 7;  // the Game B high score
inline constexpr int kGameB = 8;
inline constexpr int kGameOver = 9;
}  // namespace mode

// Modes 6 and 8: a game is running (in play or in one of its sequences).
constexpr bool InGame(int m) {
  return m == mode::kGameA || m == mode::kGameB;
}

// Where the key is (`key_state`).
namespace key {
inline constexpr int kHanging = 1;  // at its hook at the start, blinking
inline constexpr int kCarried = 2;
}  // namespace key

// The sequence chance time hands back to (`chance_resume`), set by the scoring
// step that started it.
namespace resume {
inline constexpr int kFlyingCatch = 1;
inline constexpr int kCoconutBonus = 2;
inline constexpr int kRescuePhase1 = 3;
inline constexpr int kRescuePhase2 = 4;
}  // namespace resume

struct Vars {
  int mode = 0;
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
  int key_state = 0;
  int chains_opened = 0;
  int rescue_count = 0;
  int garu_arm_pos = 0;
  int coconut_pos = 0;
  int coconut_bonus_next = 0;
  int coconut_bonus_left = 0;
  int chance_resume = 0;
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

// One row per variable, in the order `dump` prints them.
struct VarField {
  std::string_view name;
  int Vars::*integer;  // null for a flag
  bool Vars::*flag;    // null for an integer
};

std::span<const VarField> VarTable();
const VarField* FindVar(std::string_view name);

}  // namespace tiko
