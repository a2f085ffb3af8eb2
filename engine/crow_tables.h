// The crows' rules as tables: their one path down the vines with the phase in
// which a crow leaves each cell, the cell that touches the hero at each height,
// and the difficulty bands of the two games.
#pragma once

#include <array>

namespace tiko::crows {

struct Cell {
  int col;
  int row;
};

struct PathCell {
  Cell cell;
  int leaves_in_phase;  // 1 or 2: the half of the crow tick that moves a crow on from here
};

// The crow path, entry first, exit last. A crow on cell i moves to cell i + 1
// in the phase named; one leaving the last cell is gone.
inline constexpr int kPathLength = 26;
inline constexpr std::array<PathCell, kPathLength> kCrowPath = {{
    {{4, 0}, 1}, {{5, 0}, 1},  // entry, then right at height 0
    {{5, 1}, 2}, {{4, 1}, 2}, {{3, 1}, 2}, {{2, 1}, 2}, {{1, 1}, 2},  // left at height 1
    {{1, 2}, 1}, {{2, 2}, 1}, {{3, 2}, 1}, {{4, 2}, 1}, {{5, 2}, 1},  // right at height 2
    {{5, 3}, 2}, {{4, 3}, 2}, {{3, 3}, 2}, {{2, 3}, 2}, {{1, 3}, 2},  // left at height 3
    {{1, 4}, 1}, {{2, 4}, 1}, {{3, 4}, 1}, {{4, 4}, 1},               // right at height 4
    {{5, 5}, 2}, {{4, 5}, 2}, {{3, 5}, 2}, {{2, 5}, 2}, {{1, 5}, 2},  // left at height 5, exit
}};

// The crow cell that touches the hero at each height: tested while the hero's
// column is below `below_col`, at column hero_col + `col_offset`.
struct CollisionCell {
  int below_col;
  int col_offset;
};

inline constexpr std::array<CollisionCell, 6> kCollisionCells = {{
    {0, 0},  // no height 0
    {5, 1},  // height 1: the crow coming from the right
    {4, 0},  // height 2: from the left
    {5, 1},  // height 3: from the right
    {5, 0},  // height 4: from the left
    {4, 1},  // height 5: from the right
}};

// One band of the score within its hundred (score mod 100, 20 points wide).
struct DifficultyBand {
  int tick_ms;      // interval of the crow tick before the hundreds' reduction
  int spawn_range;  // n of the spawn draw
};

inline constexpr std::array<DifficultyBand, 5> kGameABands = {
    {{1000, 20}, {930, 14}, {860, 8}, {790, 8}, {720, 6}}};
inline constexpr std::array<DifficultyBand, 5> kGameBBands = {
    {{870, 12}, {810, 8}, {730, 8}, {670, 7}, {600, 6}}};

// How much faster each whole hundred of the score makes the crow tick.
inline constexpr int GameAReduction(int hundreds) {
  return hundreds <= 9 ? 20 * hundreds : 200;
}
inline constexpr int GameBReduction(int hundreds) {
  if (hundreds <= 1) return 0;
  return hundreds <= 9 ? 40 + 30 * hundreds : 340;
}

}  // namespace tiko::crows
