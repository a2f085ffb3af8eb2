// The crows: the crow tick that moves them down their path, lets new ones in
// and beeps; the hero-against-crow test; the crow speed set by the score.
#include <algorithm>

#include "engine/crow_tables.h"
#include "engine/saturating.h"
#include "engine/unit.h"

namespace tiko {

using namespace seg;
using crows::kCrowPath;
using crows::kPathLength;

namespace {

ImageId PathSeg(int i) {
  return crow_seg[kCrowPath[i].cell.col][kCrowPath[i].cell.row];
}

const ImageId kEntry = crow_seg[4][0];
const ImageId kBelowEntry = crow_seg[5][0];

}  // namespace

// Moves every crow that leaves its cell in `phase` one cell on. The crows of one
// straight run move together, the front one first, so that none moves twice;
// the back cell of the run is left empty, except the entry, which the spawn
// decision sets. Returns whether a crow moved into a cell or off the path.
bool Unit::MoveCrows(int phase) {
  bool beep = false;
  int i = 0;
  while (i < kPathLength) {
    if (kCrowPath[i].leaves_in_phase != phase) {
      ++i;
      continue;
    }
    int first = i;
    while (i < kPathLength && kCrowPath[i].leaves_in_phase == phase) ++i;
    for (int k = i - 1; k >= first; --k) {
      if (k + 1 < kPathLength) {
        Copy(PathSeg(k + 1), PathSeg(k));
        beep = beep || Lit(PathSeg(k + 1));
      } else if (Lit(PathSeg(k))) {
        beep = true;  // a crow leaves at the bottom left
      }
    }
    if (first != 0) Hide(PathSeg(first));
  }
  return beep;
}

void Unit::Timer_GameTimer() {
  if (Gam_Check_Collisions()) {
    Gam_Execute_Miss_Crow();
    return;
  }
  bool beep = false;
  if (state_.vars.game_phase == 1) {
    beep = MoveCrows(1);
    // Counted while the entry still shows its state from before the tick.
    int count = 0;
    for (int k = 0; k < kPathLength; ++k) count += Lit(PathSeg(k)) ? 1 : 0;
    // The draw is made on every phase-1 tick, whether or not it can matter.
    bool spawn = state_.random.Random(state_.vars.crow_spawn_range) < 2 || count == 0;
    if (count >= 6 || Lit(kBelowEntry)) spawn = false;
    Set(kEntry, spawn);
    beep = beep || spawn;
  } else if (state_.vars.game_phase == 2) {
    beep = MoveCrows(2);
  }
  // No crow beep while the hero is on the flying column or at the cage.
  if (state_.vars.hero_col > 4) beep = false;
  if (beep) Play(SoundId::snd_Crow);
  StepOn(state_.vars.game_phase);
  if (state_.vars.game_phase == 3) state_.vars.game_phase = 1;
}

bool Unit::Gam_Check_Collisions() {
  int col = state_.vars.hero_col;
  int row = state_.vars.hero_row;
  if (row < 1 || row > 5) return false;
  const crows::CollisionCell& test = crows::kCollisionCells[row];
  if (col < 1 || col >= test.below_col) return false;
  // At the start position a crow at 2/5 passes under one at 1/4.
  if (col == 1 && row == 5 && Lit(crow_seg[2][5]) && Lit(crow_seg[1][4])) return false;
  return Lit(crow_seg[col + test.col_offset][row]);
}

void Unit::Gam_Set_Difficulty() {
  if (!InGame(state_.vars.mode)) return;
  int hundreds = 0;
  int rest = state_.vars.score;
  while (rest > 99) {
    rest -= 100;
    ++hundreds;
  }
  int band = std::clamp(rest / 20, 0, 4);  // a score is never negative in play
  bool game_a = state_.vars.mode == Mode::kGameA;
  const crows::DifficultyBand& b = game_a ? crows::kGameABands[band] : crows::kGameBBands[band];
  // Set twice, as the unit does: with a reduction the countdown restarts.
  Interval(TimerId::Timer_Game, b.tick_ms);
  int reduction = game_a ? crows::GameAReduction(hundreds) : crows::GameBReduction(hundreds);
  Interval(TimerId::Timer_Game, b.tick_ms - reduction);
  state_.vars.crow_spawn_range = b.spawn_range;
  if (game_a && state_.vars.score > 99) StepBack(state_.vars.crow_spawn_range);
}

}  // namespace tiko
