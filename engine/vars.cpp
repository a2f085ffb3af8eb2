#include "engine/vars.h"

#include <array>
#include <type_traits>

namespace tiko {

namespace {

// clang-format off
#define TIKO_VAR(n)                                                         \
  VarField{#n, std::is_same_v<decltype(Vars::n), bool>,                     \
           [](const Vars& v) { return static_cast<int>(v.n); },             \
           [](Vars& v, int value) { v.n = static_cast<decltype(Vars::n)>(value); }}
// clang-format on

const std::array kVarTable = {
    TIKO_VAR(mode),
    TIKO_VAR(score),
    TIKO_VAR(hiscore_a),
    TIKO_VAR(hiscore_b),
    TIKO_VAR(point_value),
    TIKO_VAR(chance_threshold),
    TIKO_VAR(miss_count),
    TIKO_VAR(double_score_on),
    TIKO_VAR(hero_col),
    TIKO_VAR(hero_row),
    TIKO_VAR(hero_move_lock),
    TIKO_VAR(play_active),
    TIKO_VAR(crow_spawn_range),
    TIKO_VAR(game_phase),
    TIKO_VAR(key_state),
    TIKO_VAR(chains_opened),
    TIKO_VAR(rescue_count),
    TIKO_VAR(garu_arm_pos),
    TIKO_VAR(coconut_pos),
    TIKO_VAR(coconut_bonus_next),
    TIKO_VAR(coconut_bonus_left),
    TIKO_VAR(chance_resume),
    TIKO_VAR(game_start_step),
    TIKO_VAR(game_over_step),
    TIKO_VAR(score_blink_phase),
    TIKO_VAR(hand_1_1_step),
    TIKO_VAR(jump_step),
    TIKO_VAR(umbrella_balloon_step),
    TIKO_VAR(coconut_bonus_step),
    TIKO_VAR(key_fall_step),
    TIKO_VAR(bonus1_step),
    TIKO_VAR(bonus2_step),
    TIKO_VAR(miss_crow_step),
    TIKO_VAR(miss_fall_step),
    TIKO_VAR(chance_step),
};

#undef TIKO_VAR

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
