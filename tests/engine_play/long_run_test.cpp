// Hours of virtual play under random presses and releases: the invariants the
// rules imply hold at every moment, and a seed always gives the same run.
#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <string>

#include "engine/unit.h"
#include "engine/unit_probe.h"
#include "tests/support/memory_store.h"
#include "tests/support/unit_invariants.h"

namespace tiko::test {
namespace {

using namespace seg;

// Hashes every cue call, so that two runs can be compared cheaply.
class HashingCues : public CueSink {
 public:
  std::uint64_t hash = 1469598103934665603ull;
  int plays = 0;
  int count[kSoundCount] = {};
  void Snd_Play(SoundId id) override {
    Mix(static_cast<int>(id) + 1);
    ++plays;
    ++count[static_cast<int>(id)];
  }
  void Snd_Silence() override { Mix(100); }
  void Mix(int v) { hash = (hash ^ static_cast<std::uint64_t>(v)) * 1099511628211ull; }
};

class ZeroClock : public LocalClock {
 public:
  TimeOfDay Now() override { return {}; }
};

struct RunSummary {
  std::uint64_t cue_hash = 0;
  std::uint64_t scene_revision = 0;
  int games = 0;
  int best_score = 0;
  int rescues = 0;
  int cues[kSoundCount] = {};
};

enum Press { kNothing, kUp, kDown, kLeft, kRight, kJump };

// A player who knows the way: to the cage with the key, back to the hook without.
Press Guided(const Unit& unit) {
  const Vars& v = unit.vars();
  const int c = v.hero_col, r = v.hero_row;
  const bool has_key = v.key_state == KeyState::kCarried;
  auto lit = [&](ImageId id) { return unit.scene().Visible(id); };
  if (c < 1 || c > 6 || r < 1 || r > 5 || (c >= 5 && r > 4)) return kNothing;  // a fall
  if (c == 5) {
    if (has_key) return lit(balloon_seg[r]) ? kRight : kNothing;
    if (r == 1 || r == 4) return kLeft;
    return lit(balloon_seg[r]) ? kRight : kNothing;
  }
  if (c == 6) {
    if (has_key && r >= 2 && lit(garu_lock_seg[r])) return kRight;
    if (!has_key && lit(umbrella_seg[r])) return kLeft;
    return kNothing;
  }
  static constexpr Press kToCage[7][6] = {
      {},
      {kNothing, kRight, kRight, kJump, kNothing, kRight},
      {kNothing, kRight, kRight, kLeft, kJump, kRight},
      {kNothing, kRight, kUp, kRight, kLeft, kJump},
      {kNothing, kRight, kNothing, kDown, kRight, kNothing},
  };
  static constexpr Press kToKey[7][6] = {
      {},
      {kNothing, kDown, kDown, kRight, kNothing, kJump},
      {kNothing, kLeft, kLeft, kDown, kRight, kLeft},
      {kNothing, kDown, kLeft, kJump, kDown, kLeft},
      {kNothing, kLeft, kNothing, kLeft, kJump, kNothing},
  };
  Press p = has_key ? kToCage[c][r] : kToKey[c][r];
  if (p == kRight && c == 4 && !lit(umbrella_seg[r])) return kNothing;
  return p;
}

void Do(Unit& unit, Press p) {
  switch (p) {
    case kUp:
      unit.Press(Control::kUp);
      break;
    case kDown:
      unit.Press(Control::kDown);
      break;
    case kLeft:
      unit.Press(Control::kLeft);
      break;
    case kRight:
      unit.Press(Control::kRight);
      break;
    case kJump:
      unit.Press(Control::kJump);
      break;
    case kNothing:
      break;
  }
}

// Whether pressing `p` now and waiting a while starts a miss, tried on a
// silent copy of the unit.
bool LeadsToMiss(const Unit& unit, Press p) {
  Unit probe(UnitPorts{});
  UnitProbe(probe).CopyStateOf(unit);
  Do(probe, p);
  probe.Release(Control::kUp);
  probe.Release(Control::kJump);
  probe.RunUntil(probe.Now() + 1700);
  return probe.vars().miss_count != unit.vars().miss_count ||
         probe.timers()[TimerId::Timer_Miss_Crow].enabled ||
         probe.timers()[TimerId::Timer_Miss_Fall].enabled;
}

// The guided press if it is safe, else any safe press, else the guided one.
Press SafeChoice(const Unit& unit, Press guided) {
  if (!unit.vars().play_active || !LeadsToMiss(unit, guided)) return guided;
  for (Press p : {kNothing, kLeft, kRight, kUp, kDown, kJump}) {
    if (p != guided && !LeadsToMiss(unit, p)) return p;
  }
  return guided;
}

// Presses and releases at random over `hours` of virtual time, starting a new
// game whenever the last one is over.
RunSummary RandomRun(std::uint32_t seed, int hours) {
  MemoryStore store;
  HashingCues cues;
  ZeroClock clock;
  Unit unit(UnitPorts{&cues, &store, &clock, nullptr});
  unit.CreateFinish();
  unit.SeedRandom(seed);
  unit.Press(Control::kOpen);

  std::mt19937 rng(seed);
  UnitInvariants invariants;
  RunSummary summary;
  const std::int64_t end = static_cast<std::int64_t>(hours) * 3600 * 1000;
  while (unit.Now() < end) {
    if (unit.vars().mode == Mode::kAllSegments || unit.vars().mode == Mode::kClock ||
        unit.vars().mode == Mode::kGameOver) {
      bool game_a = rng() % 2 == 0;
      if (game_a) {
        unit.Press(Control::kGameA);
        unit.Release(Control::kGameA);
      } else {
        unit.Press(Control::kGameB);
        unit.Release(Control::kGameB);
      }
      ++summary.games;
      // Every third game starts near the first chance time, so that runs get there.
      if (summary.games % 3 == 0) UnitProbe(unit).vars().score = 250 + static_cast<int>(rng() % 50);
    }
    if (rng() % 10 < 9) {
      // The guided player presses and lets go, unless that soon ends in a miss.
      Do(unit, SafeChoice(unit, Guided(unit)));
      unit.Release(Control::kUp);
      unit.Release(Control::kJump);
    } else {
      switch (rng() % 10) {
        case 0:
          unit.Press(Control::kUp);
          break;
        case 1:
          unit.Press(Control::kDown);
          break;
        case 2:
          unit.Press(Control::kLeft);
          break;
        case 3:
        case 4:
          unit.Press(Control::kRight);
          break;
        case 5:
          unit.Press(Control::kJump);
          break;
        case 6:
          unit.Release(Control::kUp);
          break;
        case 7:
          unit.Release(Control::kLeft);
          break;
        case 8:
          unit.Release(Control::kRight);
          break;
        default:
          unit.Release(Control::kJump);
          break;
      }
    }
    if (std::string broken = invariants.Check(unit); !broken.empty()) {
      ADD_FAILURE() << broken << " after a press at " << unit.Now();
      return summary;
    }
    // Step the time in small slices so the invariants are seen between ticks too.
    std::int64_t until = unit.Now() + 1 + static_cast<std::int64_t>(rng() % 400);
    while (unit.Now() < until) {
      auto next = unit.timers().NextDue();
      std::int64_t t = next && *next < until ? *next : until;
      unit.RunUntil(t);
      if (std::string broken = invariants.Check(unit); !broken.empty()) {
        ADD_FAILURE() << broken << " at " << unit.Now();
        return summary;
      }
    }
    if (unit.vars().mode == Mode::kGameA || unit.vars().mode == Mode::kGameB) {
      summary.best_score = std::max(summary.best_score, unit.vars().score);
    }
  }
  summary.cue_hash = cues.hash;
  summary.scene_revision = unit.scene().Revision();
  summary.rescues = unit.vars().rescue_count;
  for (int i = 0; i < kSoundCount; ++i) summary.cues[i] = cues.count[i];
  return summary;
}

TEST(LongRun, RandomPlayKeepsTheInvariants) {
  for (std::uint32_t seed : {1u, 7u, 2024u, 99991u}) {
    SCOPED_TRACE("seed " + std::to_string(seed));
    RunSummary s = RandomRun(seed, 4);
    if (HasFailure()) return;
    EXPECT_GT(s.games, 5);  // games end, by the third miss, and new ones start
    EXPECT_GT(s.best_score, 300);
    // The runs reach every sequence: deliveries, full rescues, coconut
    // bonuses, key falls, both misses and chance time.
    for (SoundId id :
         {SoundId::snd_Bonus1, SoundId::snd_Bonus3, SoundId::snd_Coconut, SoundId::snd_Key2,
          SoundId::snd_Falling, SoundId::snd_Miss, SoundId::snd_Chance}) {
      EXPECT_GT(s.cues[static_cast<int>(id)], 0) << SoundName(id);
    }
  }
}

TEST(LongRun, TheSameSeedGivesTheSameRun) {
  RunSummary a = RandomRun(4242u, 1);
  RunSummary b = RandomRun(4242u, 1);
  EXPECT_EQ(a.cue_hash, b.cue_hash);
  EXPECT_EQ(a.scene_revision, b.scene_revision);
  EXPECT_EQ(a.games, b.games);
  RunSummary c = RandomRun(4243u, 1);
  EXPECT_NE(a.cue_hash, c.cue_hash);
}

}  // namespace
}  // namespace tiko::test
