// Every row of the play rules' tables, checked by what it does to a game: the
// cell a crow catches the hero from, the crow path, the hero's moves and their
// crow tests, the coconut bonus and the clock's digits. The expected values
// are written out here from the rules as a player would read them, not taken
// from the engine's tables.
#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "engine/unit_probe.h"
#include "tests/engine/unit_fixture.h"

namespace tiko::test {
namespace {

using seg::balloon_seg;
using seg::crow_seg;
using seg::tiko_seg;
using seg::umbrella_seg;

struct Cell {
  int col;
  int row;
  bool operator==(const Cell&) const = default;
};

// The crow path from the entry at the top of vine 4 to the exit at the bottom
// left, with the half of the crow tick in which a crow leaves each cell.
struct PathCell {
  Cell cell;
  int phase;
};
constexpr PathCell kPath[] = {
    {{4, 0}, 1}, {{5, 0}, 1}, {{5, 1}, 2}, {{4, 1}, 2}, {{3, 1}, 2}, {{2, 1}, 2}, {{1, 1}, 2},
    {{1, 2}, 1}, {{2, 2}, 1}, {{3, 2}, 1}, {{4, 2}, 1}, {{5, 2}, 1}, {{5, 3}, 2}, {{4, 3}, 2},
    {{3, 3}, 2}, {{2, 3}, 2}, {{1, 3}, 2}, {{1, 4}, 1}, {{2, 4}, 1}, {{3, 4}, 1}, {{4, 4}, 1},
    {{5, 5}, 2}, {{4, 5}, 2}, {{3, 5}, 2}, {{2, 5}, 2}, {{1, 5}, 2},
};

// The 26 places of the hero.
std::vector<Cell> Positions() {
  std::vector<Cell> all;
  for (int c = 1; c <= 3; ++c) {
    for (int r = 1; r <= 5; ++r) all.push_back({c, r});
  }
  for (int r : {1, 3, 4}) all.push_back({4, r});
  for (int c = 5; c <= 6; ++c) {
    for (int r = 1; r <= 4; ++r) all.push_back({c, r});
  }
  return all;
}

// The crow cell that catches the hero at `at`: crows come from the right at
// heights 1, 3 and 5 and from the left at 2 and 4; the hero is in reach at
// columns below 5 (heights 1, 3, 4) or below 4 (heights 2, 5).
std::optional<Cell> CatchingCell(Cell at) {
  switch (at.row) {
    case 1:
    case 3:
      if (at.col < 5) return Cell{at.col + 1, at.row};
      break;
    case 2:
      if (at.col < 4) return Cell{at.col, 2};
      break;
    case 4:
      if (at.col < 5) return Cell{at.col, 4};
      break;
    case 5:
      if (at.col < 4) return Cell{at.col + 1, 5};
      break;
  }
  return std::nullopt;
}

// A game in play with an empty field: no crow, umbrella, balloon or coconut,
// every timer stopped, the hero nowhere until placed.
struct Game {
  UnitFixture f;
  UnitProbe probe{f.unit};

  explicit Game(Mode mode = Mode::kGameA) {
    f.Create();
    f.unit.Press(Control::kOpen);
    Vars& v = probe.vars();
    v.mode = mode;
    v.play_active = true;
    v.point_value = 1;
    v.chance_threshold = 300;
    v.key_state = KeyState::kHanging;
    v.game_phase = 1;
    probe.random().Seed(0x9e3779b9);  // a large draw first: no crow comes by chance
    probe.StopAllTimers();
    for (int id = 1; id <= kSkinImageCount; ++id) probe.scene().Hide(static_cast<ImageId>(id));
    f.cues.calls.clear();
  }

  void PlaceHero(Cell at) {
    probe.scene().Hide(tiko_seg[probe.vars().hero_col][probe.vars().hero_row]);
    probe.vars().hero_col = at.col;
    probe.vars().hero_row = at.row;
    probe.scene().Show(tiko_seg[at.col][at.row]);
  }
  Cell Hero() const { return {f.unit.vars().hero_col, f.unit.vars().hero_row}; }
  void Crow(Cell c, bool on = true) { probe.scene().SetVisible(crow_seg[c.col][c.row], on); }
  bool CrowAt(Cell c) const { return f.unit.scene().Visible(crow_seg[c.col][c.row]); }
  int Crows() const {
    int n = 0;
    for (const PathCell& p : kPath) n += CrowAt(p.cell) ? 1 : 0;
    return n;
  }
  bool Running(TimerId id) const { return f.unit.timers()[id].enabled; }
  bool MissStarted() const { return Running(TimerId::Timer_Miss_Crow); }
  bool FallStarted() const { return Running(TimerId::Timer_Miss_Fall); }
  int Sounded(const std::string& cue) const {
    return static_cast<int>(std::count(f.cues.calls.begin(), f.cues.calls.end(), cue));
  }
};

// The text of what a failing row was about.
template <typename... Parts>
std::string Text(const Parts&... parts) {
  std::ostringstream out;
  (out << ... << parts);
  return out.str();
}

std::string Where(Cell c) {
  return Text("(", c.col, ", ", c.row, ")");
}

// --- the cell that catches the hero ---

TEST(RuleRows, EachCrowCellCatchesTheHeroOnlyFromItsSide) {
  for (Cell hero : Positions()) {
    for (const PathCell& crow : kPath) {
      Game g;
      g.PlaceHero(hero);
      g.Crow(crow.cell);
      const bool expected = CatchingCell(hero) == crow.cell;
      EXPECT_EQ(g.probe.CheckCollisions(), expected)
          << "hero " << Where(hero) << ", crow " << Where(crow.cell);
      // The crow tick finds the same catch first, before any crow moves.
      g.probe.RunTimer(TimerId::Timer_Game);
      EXPECT_EQ(g.MissStarted(), expected)
          << "hero " << Where(hero) << ", crow " << Where(crow.cell);
    }
  }
}

TEST(RuleRows, AtTheStartACrowPassingUnderTheHangingOneCatchesNobody) {
  Game g;
  g.PlaceHero({1, 5});
  g.Crow({2, 5});
  EXPECT_TRUE(g.probe.CheckCollisions());
  g.Crow({1, 4});
  EXPECT_FALSE(g.probe.CheckCollisions());
  g.Crow({2, 5}, false);
  EXPECT_FALSE(g.probe.CheckCollisions());  // 1/4 is not a cell that reaches the start
}

// --- the crow path ---

// A crow that enters walks the whole path: on each tick it moves on one cell
// when the tick's half is the one its cell names, so it runs every second tick
// on a straight stretch and on two ticks in a row at a turn.
TEST(RuleRows, ACrowWalksThePathCellByCellInEachCellsPhase) {
  Game g;
  g.PlaceHero({5, 2});                        // out of every crow's reach
  g.probe.vars().crow_spawn_range = 1 << 30;  // a crow on the vines: no other comes
  g.Crow(kPath[0].cell);
  size_t at = 0;
  for (int tick = 0; at < std::size(kPath); ++tick) {
    ASSERT_LT(tick, 100);
    const int phase = g.probe.vars().game_phase;
    ASSERT_EQ(phase, tick % 2 + 1);
    g.probe.RunTimer(TimerId::Timer_Game);
    const Cell from = kPath[at].cell;
    if (kPath[at].phase == phase) ++at;
    if (at == std::size(kPath)) {
      EXPECT_EQ(g.Crows(), 0) << "the crow leaves from " << Where(from);
    } else {
      EXPECT_TRUE(g.CrowAt(kPath[at].cell))
          << "tick " << tick << ": from " << Where(from) << " to " << Where(kPath[at].cell);
      EXPECT_EQ(g.Crows(), 1) << "tick " << tick;
    }
  }
}

TEST(RuleRows, ACrowThatMovesBeepsUnlessTheHeroIsOnTheFlyingSide) {
  for (int hero_col : {3, 5}) {
    Game g;
    g.PlaceHero({hero_col, hero_col == 3 ? 1 : 2});
    g.Crow({1, 5});  // leaves at the exit in phase 2
    g.probe.vars().game_phase = 1;
    g.probe.vars().crow_spawn_range = 1 << 30;
    g.probe.RunTimer(TimerId::Timer_Game);  // phase 1: the exit crow waits
    EXPECT_EQ(g.Sounded("snd_Crow"), 0);
    g.probe.RunTimer(TimerId::Timer_Game);  // phase 2: it leaves
    EXPECT_EQ(g.Sounded("snd_Crow"), hero_col == 3 ? 1 : 0) << "hero in column " << hero_col;
  }
}

// --- the hero's moves ---

enum class Outcome {
  kStay,       // the press only sets the lock
  kMove,       // a plain move
  kCatch,      // onto an umbrella or a balloon: a point
  kKnock,      // the hand at the coconut
  kJumpToKey,  // the jump to the key
  kReachLock,  // the hand reaches for the lock
};
enum class Crow { kNone, kAfter, kBefore };

struct MoveRow {
  Cell from;
  Control button;
  Outcome outcome;
  Cell to;
  Crow test;
};

// The move table as the rules give it, row by row; presses not listed here
// move nothing.
const std::vector<MoveRow>& Moves() {
  using C = Control;
  using O = Outcome;
  static const std::vector<MoveRow> rows = {
      {{1, 1}, C::kUp, O::kKnock, {1, 1}, Crow::kNone},
      {{1, 1}, C::kDown, O::kMove, {1, 2}, Crow::kNone},
      {{1, 1}, C::kRight, O::kMove, {2, 1}, Crow::kBefore},
      {{1, 2}, C::kUp, O::kMove, {1, 1}, Crow::kNone},
      {{1, 2}, C::kDown, O::kMove, {1, 3}, Crow::kNone},
      {{1, 2}, C::kRight, O::kMove, {2, 2}, Crow::kAfter},
      {{1, 3}, C::kRight, O::kMove, {2, 3}, Crow::kBefore},
      {{1, 3}, C::kJump, O::kMove, {1, 2}, Crow::kNone},
      {{1, 5}, C::kRight, O::kMove, {2, 5}, Crow::kBefore},
      {{1, 5}, C::kJump, O::kJumpToKey, {1, 4}, Crow::kNone},
      {{2, 1}, C::kLeft, O::kMove, {1, 1}, Crow::kAfter},
      {{2, 1}, C::kRight, O::kMove, {3, 1}, Crow::kBefore},
      {{2, 2}, C::kLeft, O::kMove, {1, 2}, Crow::kBefore},
      {{2, 2}, C::kRight, O::kMove, {3, 2}, Crow::kAfter},
      {{2, 3}, C::kDown, O::kMove, {2, 4}, Crow::kNone},
      {{2, 3}, C::kLeft, O::kMove, {1, 3}, Crow::kAfter},
      {{2, 4}, C::kRight, O::kMove, {3, 4}, Crow::kAfter},
      {{2, 4}, C::kJump, O::kMove, {2, 3}, Crow::kNone},
      {{2, 5}, C::kLeft, O::kMove, {1, 5}, Crow::kAfter},
      {{2, 5}, C::kRight, O::kMove, {3, 5}, Crow::kBefore},
      {{3, 1}, C::kDown, O::kMove, {3, 2}, Crow::kNone},
      {{3, 1}, C::kLeft, O::kMove, {2, 1}, Crow::kAfter},
      {{3, 1}, C::kRight, O::kMove, {4, 1}, Crow::kBefore},
      {{3, 2}, C::kUp, O::kMove, {3, 1}, Crow::kNone},
      {{3, 2}, C::kDown, O::kMove, {3, 3}, Crow::kNone},
      {{3, 2}, C::kLeft, O::kMove, {2, 2}, Crow::kBefore},
      {{3, 3}, C::kRight, O::kMove, {4, 3}, Crow::kBefore},
      {{3, 3}, C::kJump, O::kMove, {3, 2}, Crow::kNone},
      {{3, 4}, C::kDown, O::kMove, {3, 5}, Crow::kNone},
      {{3, 4}, C::kLeft, O::kMove, {2, 4}, Crow::kBefore},
      {{3, 5}, C::kLeft, O::kMove, {2, 5}, Crow::kAfter},
      {{3, 5}, C::kJump, O::kMove, {3, 4}, Crow::kNone},
      {{4, 1}, C::kLeft, O::kMove, {3, 1}, Crow::kAfter},
      {{4, 1}, C::kRight, O::kCatch, {5, 1}, Crow::kBefore},
      {{4, 3}, C::kDown, O::kMove, {4, 4}, Crow::kNone},
      {{4, 3}, C::kLeft, O::kMove, {3, 3}, Crow::kAfter},
      {{4, 4}, C::kRight, O::kCatch, {5, 4}, Crow::kNone},
      {{4, 4}, C::kJump, O::kMove, {4, 3}, Crow::kNone},
      {{5, 1}, C::kLeft, O::kMove, {4, 1}, Crow::kAfter},  // the test at (4, 1)
      {{5, 1}, C::kRight, O::kCatch, {6, 1}, Crow::kNone},
      {{5, 2}, C::kRight, O::kCatch, {6, 2}, Crow::kNone},
      {{5, 3}, C::kRight, O::kCatch, {6, 3}, Crow::kNone},
      {{5, 4}, C::kLeft, O::kMove, {4, 4}, Crow::kNone},
      {{5, 4}, C::kRight, O::kCatch, {6, 4}, Crow::kNone},
      {{6, 1}, C::kLeft, O::kCatch, {5, 1}, Crow::kNone},
      {{6, 2}, C::kLeft, O::kCatch, {5, 2}, Crow::kNone},
      {{6, 3}, C::kLeft, O::kCatch, {5, 3}, Crow::kNone},
      {{6, 4}, C::kLeft, O::kCatch, {5, 4}, Crow::kNone},
      {{6, 2}, C::kRight, O::kReachLock, {6, 2}, Crow::kNone},
      {{6, 3}, C::kRight, O::kReachLock, {6, 3}, Crow::kNone},
      {{6, 4}, C::kRight, O::kReachLock, {6, 4}, Crow::kNone},
  };
  return rows;
}

constexpr Control kHeroButtons[] = {Control::kUp, Control::kDown, Control::kLeft, Control::kRight,
                                    Control::kJump};

const MoveRow* MoveOf(Cell from, Control button) {
  for (const MoveRow& row : Moves()) {
    if (row.from == from && row.button == button) return &row;
  }
  return nullptr;
}

// A game with the hero at `from`, every umbrella and balloon in his reach there.
Game& Ready(Game& g, Cell from) {
  g.PlaceHero(from);
  for (int k = 1; k <= 4; ++k) {
    g.probe.scene().Show(umbrella_seg[k]);
    g.probe.scene().Show(balloon_seg[k]);
  }
  return g;
}

TEST(RuleRows, EveryPressAtEveryPlaceDoesWhatTheMoveTableSays) {
  for (Cell from : Positions()) {
    for (Control button : kHeroButtons) {
      Game g;
      Ready(g, from);
      g.f.unit.Press(button);
      const std::string what = Text(InfoOf(button).name, " at ", Where(from));
      EXPECT_TRUE(g.f.unit.vars().hero_move_lock) << what;
      const MoveRow* row = MoveOf(from, button);
      const Outcome outcome = row ? row->outcome : Outcome::kStay;
      const Cell to = row ? row->to : from;
      EXPECT_EQ(g.Hero(), to) << what << " leads to " << Where(g.Hero());
      EXPECT_TRUE(g.f.unit.scene().Visible(tiko_seg[to.col][to.row])) << what;
      EXPECT_EQ(g.f.unit.vars().score, outcome == Outcome::kCatch ? 1 : 0) << what;
      EXPECT_EQ(g.Running(TimerId::Timer_Tiko_1_1_Hand), outcome == Outcome::kKnock) << what;
      EXPECT_EQ(g.Running(TimerId::Timer_Tiko_Jump), outcome == Outcome::kJumpToKey) << what;
      EXPECT_EQ(g.Running(TimerId::Timer_Tiko_6_Hand), outcome == Outcome::kReachLock) << what;
      EXPECT_FALSE(g.MissStarted() || g.FallStarted()) << what;
    }
  }
}

// The moves onto an umbrella or a balloon with nothing to land on are falls.
TEST(RuleRows, EveryCatchingMoveWithNothingThereIsAFall) {
  for (const MoveRow& row : Moves()) {
    if (row.outcome != Outcome::kCatch) continue;
    Game g;
    g.PlaceHero(row.from);
    g.f.unit.Press(row.button);
    EXPECT_TRUE(g.FallStarted()) << InfoOf(row.button).name << " at " << Where(row.from);
    EXPECT_EQ(g.f.unit.vars().score, 0);
  }
}

// A crow at the cell that catches the hero: a test after the move catches him
// where he arrives, a test before keeps him where he was; a move without a
// test walks past.
TEST(RuleRows, EveryMoveTestsForCrowsWhereTheTableSays) {
  for (const MoveRow& row : Moves()) {
    const std::string what = Text(InfoOf(row.button).name, " at ", Where(row.from));
    const std::optional<Cell> at_start = CatchingCell(row.from);
    const std::optional<Cell> at_end = CatchingCell(row.to);
    if (at_end) {
      Game g;
      Ready(g, row.from);
      g.Crow(*at_end);
      if (at_start == at_end) continue;  // the same cell: the test cannot tell before from after
      g.f.unit.Press(row.button);
      const bool before_hit = row.test == Crow::kBefore && at_start && g.CrowAt(*at_start);
      EXPECT_EQ(g.MissStarted(), row.test == Crow::kAfter || before_hit) << what << ", crow ahead";
      if (row.test == Crow::kAfter) {
        EXPECT_EQ(g.Hero(), row.to) << what;
      }
    }
    if (at_start) {
      Game g;
      Ready(g, row.from);
      g.Crow(*at_start);
      g.f.unit.Press(row.button);
      const bool after_hit = row.test == Crow::kAfter && at_end == at_start;
      EXPECT_EQ(g.MissStarted(), row.test == Crow::kBefore || after_hit) << what << ", crow here";
      if (row.test == Crow::kBefore) {
        EXPECT_EQ(g.Hero(), row.from) << what << " stays";
      }
    }
  }
}

// --- the coconut bonus ---

// A crow hit at height h with the series at n pays n steps of h times the
// point value, one point sound each, 200 ms apart.
TEST(RuleRows, TheCoconutBonusPaysItsStepsAtEveryHeight) {
  for (int height = 1; height <= 5; ++height) {
    for (int point_value : {1, 2}) {
      for (int series : {2, 4}) {
        Game g;
        g.PlaceHero({1, 5});
        Vars& v = g.probe.vars();
        v.point_value = point_value;
        v.chance_threshold = 100000;
        v.coconut_pos = height - 1;
        v.coconut_bonus_next = series;
        g.Crow({2, height});
        g.probe.timers().Start(TimerId::Timer_Coconut, 1);
        const std::int64_t hit_at = g.f.unit.Now() + 1;
        g.f.unit.RunUntil(hit_at);
        ASSERT_EQ(v.coconut_pos, height);
        EXPECT_EQ(v.coconut_bonus_next, series + 2) << "the next hit pays two steps more";
        g.f.unit.RunUntil(hit_at + 1 + 200 * (series - 1));
        const std::string what =
            Text("height ", height, ", point value ", point_value, ", series ", series);
        EXPECT_EQ(v.score, series * height * point_value) << what;
        EXPECT_EQ(g.Sounded("snd_Point"), series) << what;
        EXPECT_FALSE(g.CrowAt({2, height})) << what;
        EXPECT_FALSE(v.play_active) << what << ": paid, then a pause";
        g.f.unit.RunUntil(hit_at + 2 + 200 * series);
        EXPECT_TRUE(v.play_active) << what;
        EXPECT_EQ(g.Sounded("snd_Coconut"), 1) << what;
      }
    }
  }
}

// --- the high score, through the third miss ---

// The final score, below 1000 as the panel shows it, becomes the high score of
// the game played when it beats it; a tie does not, nor does the other game's.
TEST(RuleRows, TheThirdMissKeepsABeatenHighScoreForItsGameOnly) {
  struct Case {
    int score;
    bool beaten;
  };
  const Case cases[] = {{151, true}, {150, false}, {149, false}, {1151, true}, {1150, false}};
  for (Mode mode : {Mode::kGameA, Mode::kGameB}) {
    const bool game_a = mode == Mode::kGameA;
    const std::string own = game_a ? "HiScore1" : "HiScore2";
    const std::string other = game_a ? "HiScore2" : "HiScore1";
    for (const Case& c : cases) {
      Game g(mode);
      Vars& v = g.probe.vars();
      v.hiscore_a = v.hiscore_b = 150;
      g.f.store.values.clear();  // any write shows up
      v.score = c.score;
      v.miss_count = 2;
      g.PlaceHero({1, 5});
      g.Crow({2, 5});
      g.probe.timers().Start(TimerId::Timer_Game, 1000);
      g.f.unit.RunUntil(g.f.unit.Now() + 1000);  // the crow tick finds the catch
      ASSERT_TRUE(g.MissStarted());
      g.f.unit.RunUntil(g.f.unit.Now() + 5000);
      const std::string what = Text(game_a ? "A" : "B", " at ", c.score);
      ASSERT_EQ(v.mode, Mode::kGameOver) << what;
      EXPECT_EQ(v.miss_count, 3) << what;
      EXPECT_EQ(v.score, c.score % 1000) << what;
      EXPECT_EQ(game_a ? v.hiscore_a : v.hiscore_b, c.beaten ? c.score % 1000 : 150) << what;
      EXPECT_EQ(game_a ? v.hiscore_b : v.hiscore_a, 150) << what;
      EXPECT_EQ(g.f.store.values.count(own), c.beaten ? 1u : 0u) << what;
      if (c.beaten) {
        EXPECT_EQ(g.f.store.values[own], std::to_string(c.score % 1000)) << what;
      }
      EXPECT_EQ(g.f.store.values.count(other), 0u) << what;
    }
  }
}

// --- the clock ---

TEST(RuleRows, TheClockShowsEveryHourOnTwelveHoursWithItsHalfOfTheDay) {
  for (int hour = 0; hour < 24; ++hour) {
    Game g;
    g.f.clock.time = TimeOfDay{hour, 7};
    g.probe.vars().mode = Mode::kClock;
    g.probe.RunTimer(TimerId::Timer_Clock);
    const int shown = hour % 12 == 0 ? 12 : hour % 12;
    const Scene& s = g.f.unit.scene();
    EXPECT_EQ(s.DigitOf(seg::panel_digit_seg[1]), shown >= 10 ? 1 : -1) << hour;
    EXPECT_EQ(s.DigitOf(seg::panel_digit_seg[2]), shown % 10) << hour;
    EXPECT_EQ(s.DigitOf(seg::panel_digit_seg[3]), 0) << hour;
    EXPECT_EQ(s.DigitOf(seg::panel_digit_seg[4]), 7) << hour;
    EXPECT_EQ(s.Visible(im_panel_time_pm), hour >= 12) << hour;
    EXPECT_EQ(s.Visible(im_panel_time_am), hour < 12) << hour;
  }
}

}  // namespace
}  // namespace tiko::test
