// The hero's move table: what each of the five hero buttons does at each of the
// 26 positions. The press operations follow it; the few gestures that are more
// than a move (the hand at the coconut, the reach for a lock, the jump to the
// key, the umbrella and balloon) are named kinds here and done there.
#pragma once

#include <array>

namespace tiko::hero {

enum class Kind {
  kNone,          // no move; the press still sets the lock
  kStep,          // a plain move to (col, row)
  kKnockCoconut,  // up at (1, 1): the hand reaches for the coconut
  kJumpToKey,     // jump at (1, 5)
  kOntoUmbrella,  // right from column 4 onto the umbrella at (5, row)
  kOffUmbrella,   // left from the umbrella back to column 4
  kToBalloon,     // right from the umbrella column to the balloon at (6, row)
  kToUmbrella,    // left from the balloon back to the umbrella at (5, row)
  kReachLock,     // right at (6, 2..4): the hand reaches for the lock
};

// When a move tests for a crow at the hero: not at all, after moving (the hero
// steps into the crow), or before (the hero stays and is caught where he is).
enum class Test { kNone, kAfter, kBefore };

struct Move {
  Kind kind = Kind::kNone;
  Test test = Test::kNone;
  int col = 0;
  int row = 0;
};

enum Button { kUp, kDown, kLeft, kRight, kJump, kButtonCount };

using Row = std::array<Move, kButtonCount>;  // up, down, left, right, jump

constexpr Move None() {
  return {};
}
constexpr Move To(int c, int r) {
  return {Kind::kStep, Test::kNone, c, r};
}
constexpr Move After(int c, int r) {
  return {Kind::kStep, Test::kAfter, c, r};
}
constexpr Move Before(int c, int r) {
  return {Kind::kStep, Test::kBefore, c, r};
}
constexpr Move Do(Kind kind, int c = 0, int r = 0, Test test = Test::kNone) {
  return {kind, test, c, r};
}

// kMoveTable[col][row]; positions that do not exist have no moves.
inline constexpr std::array<std::array<Row, 6>, 7> kMoveTable = [] {
  std::array<std::array<Row, 6>, 7> t{};
  // Each row: up, down, left, right, jump.
  t[1][1] = {Do(Kind::kKnockCoconut), To(1, 2), None(), Before(2, 1), None()};
  t[1][2] = {To(1, 1), To(1, 3), None(), After(2, 2), None()};
  t[1][3] = {None(), None(), None(), Before(2, 3), To(1, 2)};
  t[1][4] = {None(), None(), None(), None(), None()};
  t[1][5] = {None(), None(), None(), Before(2, 5), Do(Kind::kJumpToKey, 1, 4)};
  t[2][1] = {None(), None(), After(1, 1), Before(3, 1), None()};
  t[2][2] = {None(), None(), Before(1, 2), After(3, 2), None()};
  t[2][3] = {None(), To(2, 4), After(1, 3), None(), None()};
  t[2][4] = {None(), None(), None(), After(3, 4), To(2, 3)};
  t[2][5] = {None(), None(), After(1, 5), Before(3, 5), None()};
  t[3][1] = {None(), To(3, 2), After(2, 1), Before(4, 1), None()};
  t[3][2] = {To(3, 1), To(3, 3), Before(2, 2), None(), None()};
  t[3][3] = {None(), None(), None(), Before(4, 3), To(3, 2)};
  t[3][4] = {None(), To(3, 5), Before(2, 4), None(), None()};
  t[3][5] = {None(), None(), After(2, 5), None(), To(3, 4)};
  t[4][1] = {None(), None(), After(3, 1), Do(Kind::kOntoUmbrella, 5, 1, Test::kBefore), None()};
  t[4][3] = {None(), To(4, 4), After(3, 3), None(), None()};
  t[4][4] = {None(), None(), None(), Do(Kind::kOntoUmbrella, 5, 4), To(4, 3)};
  t[5][1] = {None(), None(), Do(Kind::kOffUmbrella, 4, 1), Do(Kind::kToBalloon, 6, 1), None()};
  t[5][2] = {None(), None(), None(), Do(Kind::kToBalloon, 6, 2), None()};
  t[5][3] = {None(), None(), None(), Do(Kind::kToBalloon, 6, 3), None()};
  t[5][4] = {None(), None(), Do(Kind::kOffUmbrella, 4, 4), Do(Kind::kToBalloon, 6, 4), None()};
  t[6][1] = {None(), None(), Do(Kind::kToUmbrella, 5, 1), None(), None()};
  for (int r = 2; r <= 4; ++r) {
    t[6][r] = {None(), None(), Do(Kind::kToUmbrella, 5, r), Do(Kind::kReachLock, 6, r), None()};
  }
  return t;
}();

// The move of `button` at (col, row); no move outside the 26 positions.
constexpr Move MoveAt(int col, int row, Button button) {
  if (col < 1 || col > 6 || row < 1 || row > 5) return None();
  return kMoveTable[col][row][button];
}

// The step timer that frees the move lock after a cross-pad press.
inline constexpr int kStepLockMs = 466;

}  // namespace tiko::hero
