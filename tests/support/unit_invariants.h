// The invariants the play rules imply at every moment a player can bring the
// unit to: checked by the long random runs and by the script fuzzer.
#pragma once

#include <string>

#include "engine/unit.h"

namespace tiko::test {

inline bool IsPosition(int col, int row) {
  using seg::tiko_seg;
  return col >= 1 && col <= 6 && row >= 1 && row <= 5 && tiko_seg[col][row] != kNoImage;
}

inline int LitHeroFigures(const Unit& unit) {
  int lit = 0;
  for (int c = 1; c <= 6; ++c) {
    for (int r = 1; r <= 5; ++r) lit += unit.scene().Visible(seg::tiko_seg[c][r]) ? 1 : 0;
  }
  return lit;
}

// Follows one unit from event to event (the score only grows within a game).
class UnitInvariants {
 public:
  // What is broken now, or an empty text.
  std::string Check(const Unit& unit) {
    const Vars& v = unit.vars();
    if (v.miss_count < 0 || v.miss_count > 3) return "miss_count out of 0..3";
    if (unit.scene().Visible(kNoImage)) return "the no-image entry is lit";
    if (v.mode != Mode::kGameA && v.mode != Mode::kGameB) {
      in_game_ = false;
      return {};
    }
    if (LitHeroFigures(unit) > 1) return "more than one hero figure lit";
    if (!in_game_) last_score_ = 0;
    if (v.score < last_score_) return "the score went down in a game";
    last_score_ = v.score;
    in_game_ = true;
    if (v.play_active) {
      // In play the hero stands on one of the 26 places, and is seen there.
      if (!IsPosition(v.hero_col, v.hero_row)) return "the hero stands on no place";
      if (!unit.scene().Visible(seg::tiko_seg[v.hero_col][v.hero_row])) return "the hero is unseen";
      if (v.miss_count >= 3) return "play goes on after the third miss";
      if (v.point_value != 1 && v.point_value != 2) return "point_value neither 1 nor 2";
    }
    return {};
  }

 private:
  int last_score_ = 0;
  bool in_game_ = false;
};

}  // namespace tiko::test
