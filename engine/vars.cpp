#include "engine/vars.h"

#include <array>

namespace tiko {

namespace {

#define TIKO_INT(n)       \
  VarField {              \
#n, &Vars::n, nullptr \
  }
#define TIKO_FLAG(n)      \
  VarField {              \
#n, nullptr, &Vars::n \
  }

const std::array kVarTable = {
    TIKO_INT(mode),
    TIKO_INT(score),
    TIKO_INT(hiscore_a),
    TIKO_INT(hiscore_b),
    TIKO_INT(point_value),
    TIKO_INT(chance_threshold),
    TIKO_INT(miss_count),
    TIKO_FLAG(double_score_on),
    TIKO_INT(hero_col),
    TIKO_INT(hero_row),
    TIKO_FLAG(hero_move_lock),
    TIKO_FLAG(play_active),
    TIKO_INT(crow_spawn_range),
    TIKO_INT(game_phase),
    TIKO_INT(key_state),
    TIKO_INT(chains_opened),
    TIKO_INT(rescue_count),
    TIKO_INT(garu_arm_pos),
    TIKO_INT(coconut_pos),
    TIKO_INT(coconut_bonus_next),
    TIKO_INT(coconut_bonus_left),
    TIKO_INT(chance_resume),
    TIKO_INT(game_start_step),
    TIKO_INT(game_over_step),
    TIKO_INT(score_blink_phase),
    TIKO_INT(hand_1_1_step),
    TIKO_INT(jump_step),
    TIKO_INT(umbrella_balloon_step),
    TIKO_INT(coconut_bonus_step),
    TIKO_INT(key_fall_step),
    TIKO_INT(bonus1_step),
    TIKO_INT(bonus2_step),
    TIKO_INT(miss_crow_step),
    TIKO_INT(miss_fall_step),
    TIKO_INT(chance_step),
};

#undef TIKO_INT
#undef TIKO_FLAG

}  // namespace

std::span<const VarField> VarTable() {
  return kVarTable;
}

const VarField* FindVar(std::string_view name) {
  for (const VarField& f : kVarTable) {
    if (f.name == name) return &f;
  }
  return nullptr;
}

}  // namespace tiko
