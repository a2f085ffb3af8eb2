// The engine variables: the one set of counters and flags beside the segments.
#pragma once

#include <span>
#include <string_view>

namespace tiko {

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
