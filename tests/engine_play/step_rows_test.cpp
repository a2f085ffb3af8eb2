// Every step of every timed sequence, one tick at a time: what the step does
// and the interval it leaves for the next tick. The expected values are
// written out here from the rules, not taken from the engine's tables.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "engine/unit_probe.h"
#include "tests/engine/unit_fixture.h"

namespace tiko::test {
namespace {

using seg::crow_seg;
using seg::garu_chain_seg;
using seg::key_seg;
using seg::miss_seg;
using seg::tiko_hand_1_1_seg;
using seg::tiko_hand_6_seg;
using seg::tiko_seg;

// A game in play with an empty field and every timer stopped.
struct Sequence {
  UnitFixture f;
  UnitProbe probe{f.unit};
  Vars& v = probe.vars();

  Sequence() {
    f.Create();
    f.unit.Press(Control::kOpen);
    v.mode = Mode::kGameA;
    v.play_active = false;
    v.point_value = 1;
    v.chance_threshold = 100000;
    probe.StopAllTimers();
    for (int id = 1; id <= kSkinImageCount; ++id) probe.scene().Hide(static_cast<ImageId>(id));
    f.cues.calls.clear();
  }
  void PlaceHero(int col, int row) {
    v.hero_col = col;
    v.hero_row = row;
    probe.scene().Show(tiko_seg[col][row]);
  }
  void Show(ImageId id) { probe.scene().Show(id); }
  bool Lit(ImageId id) const { return f.unit.scene().Visible(id); }
  bool Running(TimerId id) const { return f.unit.timers()[id].enabled; }
  // One tick of `id`, due or not; the interval it leaves.
  int Tick(TimerId id) {
    probe.RunTimer(id);
    return f.unit.timers()[id].interval;
  }
  int Sounded(const std::string& cue) const {
    return static_cast<int>(std::count(f.cues.calls.begin(), f.cues.calls.end(), cue));
  }
};

std::string At(const char* sequence, int step) {
  return std::string(sequence) + " step " + std::to_string(step);
}

// --- the rescue ---

TEST(StepRows, RescuePhase1BlinksAndOpensTheChainPaysTenPointsThenResumes) {
  for (int chain : {1, 4}) {
    for (int point_value : {1, 2}) {
      Sequence s;
      s.v.chains_opened = chain - 1;
      s.v.point_value = point_value;
      s.v.key_state = KeyState::kCarried;
      s.PlaceHero(6, 3);
      s.Show(tiko_hand_6_seg[3]);
      for (int k = 1; k <= 4; ++k) s.Show(garu_chain_seg[k]);
      s.v.bonus1_step = 1;
      s.probe.timers().Start(TimerId::Timer_Bonus_Phase_1, 1);
      const ImageId opening = garu_chain_seg[chain];
      for (int step = 1; step <= (chain == 4 ? 21 : 22); ++step) {
        const int interval = s.Tick(TimerId::Timer_Bonus_Phase_1);
        const std::string what = At("phase 1", step) + ", chain " + std::to_string(chain);
        if (step <= 9) {
          EXPECT_EQ(interval, 180) << what;
          EXPECT_EQ(s.v.chains_opened, chain) << what;
          EXPECT_EQ(s.Lit(opening), step == 1 || step % 2 == 1) << what;
        } else if (step == 10) {
          EXPECT_EQ(interval, 160) << what;
          EXPECT_FALSE(s.Lit(opening)) << what;
          EXPECT_TRUE(s.Lit(im_garu_arm_l2)) << what;
          EXPECT_FALSE(s.Lit(tiko_hand_6_seg[3])) << what;
          EXPECT_EQ(s.Lit(im_tiko_victory), chain == 4) << what;
          EXPECT_EQ(s.Lit(tiko_seg[6][3]), chain != 4) << what;
        } else if (step <= 20) {
          EXPECT_EQ(interval, 160) << what;
          EXPECT_EQ(s.v.score, (step - 10) * point_value) << what;
          EXPECT_EQ(s.Sounded("snd_Point"), step - 10) << what;
        } else if (step == 21) {
          EXPECT_EQ(s.Running(TimerId::Timer_Bonus_Phase_2), chain == 4) << what;
          EXPECT_EQ(s.Running(TimerId::Timer_Bonus_Phase_1), chain != 4) << what;
          if (chain != 4) {
            EXPECT_EQ(interval, 900) << what;
          }
          EXPECT_FALSE(s.v.play_active) << what;
        } else {
          EXPECT_FALSE(s.Running(TimerId::Timer_Bonus_Phase_1)) << what;
          EXPECT_TRUE(s.v.play_active) << what;
          EXPECT_EQ(s.v.key_state, KeyState::kHanging) << what;
          EXPECT_TRUE(s.Lit(key_seg[1])) << what;
          EXPECT_TRUE(s.Lit(im_garu_arm_l2) && s.Lit(im_garu_lock_l2)) << what << ": at height 2";
          EXPECT_EQ(s.v.garu_arm_pos, 5) << what;
          EXPECT_EQ(s.Sounded("snd_Flying"), 1) << what;
          EXPECT_TRUE(s.Running(TimerId::Timer_Game)) << what;
        }
      }
      EXPECT_EQ(s.v.score, 10 * point_value);
    }
  }
}

TEST(StepRows, RescuePhase2WavesPaysTenMoreBuildsTheCageThenResumes) {
  for (int rescues_before : {0, 1}) {
    Sequence s;
    s.v.rescue_count = rescues_before;
    s.v.chains_opened = 4;
    s.v.point_value = 2;
    s.PlaceHero(6, 3);
    s.probe.scene().Hide(tiko_seg[6][3]);
    s.Show(im_tiko_victory);
    s.Show(im_garu_arm_r1);
    s.v.bonus2_step = 1;
    s.probe.timers().Start(TimerId::Timer_Bonus_Phase_2, 1);
    const char* fanfare = rescues_before == 0 ? "snd_Bonus2" : "snd_Bonus3";
    for (int step = 1; step <= 22; ++step) {
      const int interval = s.Tick(TimerId::Timer_Bonus_Phase_2);
      const std::string what = At("phase 2", step) + ", rescues " + std::to_string(rescues_before);
      if (step == 1) {
        EXPECT_EQ(interval, 250) << what;
        EXPECT_TRUE(s.f.cues.calls.empty()) << what;
      } else if (step == 2) {
        EXPECT_EQ(interval, 800) << what;
        EXPECT_EQ(s.v.rescue_count, rescues_before + 1) << what;
        EXPECT_EQ(s.Sounded(fanfare), 1) << what;
      } else if (step <= 9) {
        EXPECT_EQ(interval, step == 9 ? 160 : 250) << what;
        EXPECT_EQ(s.Lit(im_garu_arm_r2), step % 2 == 1) << what;
        EXPECT_EQ(s.Lit(im_garu_arm_r1), step % 2 == 0) << what;
      } else if (step <= 19) {
        EXPECT_EQ(interval, 160) << what;
        EXPECT_EQ(s.v.score, (step - 9) * 2) << what;
        EXPECT_EQ(s.Sounded("snd_Point"), 0) << what;
      } else if (step == 20) {
        EXPECT_EQ(interval, 350) << what;
        EXPECT_TRUE(s.Lit(im_tiko_victory)) << what;
      } else if (step == 21) {
        EXPECT_EQ(interval, 3300) << what;
        EXPECT_FALSE(s.Lit(im_tiko_victory)) << what;
        EXPECT_TRUE(s.Lit(im_garu_arm_r1) && !s.Lit(im_garu_arm_r2)) << what;
        EXPECT_EQ(s.Sounded("snd_Start2"), 1) << what;
        EXPECT_TRUE(s.Lit(tiko_seg[1][5])) << what;
        EXPECT_EQ(s.v.chains_opened, 0) << what;
        for (int k = 1; k <= 4; ++k) EXPECT_TRUE(s.Lit(garu_chain_seg[k])) << what;
        EXPECT_TRUE(s.Lit(key_seg[1])) << what;
        EXPECT_TRUE(s.Running(TimerId::Timer_Key_Blink)) << what;
        EXPECT_FALSE(s.v.play_active) << what;
      } else {
        EXPECT_FALSE(s.Running(TimerId::Timer_Bonus_Phase_2)) << what;
        EXPECT_TRUE(s.v.play_active) << what;
        EXPECT_TRUE(s.Running(TimerId::Timer_Game)) << what;
        EXPECT_EQ(s.Sounded("snd_Flying"), 0) << what;
      }
    }
  }
}

TEST(StepRows, TheKeyFallsBlinksBesideTheFigureAndHangsAgain) {
  Sequence s;
  s.v.key_state = KeyState::kCarried;
  s.PlaceHero(6, 3);
  s.Show(tiko_hand_6_seg[3]);
  s.v.key_fall_step = 1;
  s.probe.timers().Start(TimerId::Timer_Key_Fall, 100);
  // Lit after each step: the lying key, the figure.
  const bool key2[] = {false, false, true, false, true, false, false, false, false, false};
  const bool figure[] = {false, false, false, false, false, true, true, false, false, false};
  for (int step = 1; step <= 9; ++step) {
    const int interval = s.Tick(TimerId::Timer_Key_Fall);
    const std::string what = At("key fall", step);
    if (step < 9) {
      EXPECT_EQ(interval, step == 1 ? 340 : 160) << what;
    }
    EXPECT_FALSE(s.Lit(tiko_hand_6_seg[3])) << what;
    EXPECT_EQ(s.Lit(key_seg[2]), key2[step]) << what;
    EXPECT_EQ(s.Lit(miss_seg[2]), figure[step]) << what;
    EXPECT_EQ(s.v.play_active, step == 9) << what;
  }
  EXPECT_FALSE(s.Running(TimerId::Timer_Key_Fall));
  EXPECT_EQ(s.v.key_state, KeyState::kHanging);
  EXPECT_TRUE(s.Lit(key_seg[1]));
  EXPECT_TRUE(s.Lit(tiko_seg[6][3])) << "the hero stays where he reached";
  EXPECT_EQ(s.Sounded("snd_Flying"), 1);
  EXPECT_EQ(s.v.miss_count, 0);
  EXPECT_EQ(s.v.score, 0);
}

// A reach with the key opens a chain when Garu's moving arm holds the lock at
// the hero's height, and drops the key otherwise. From its first position
// Garu's arm holds the lock at heights 4, 3, 4, 3, 2, 3.
TEST(StepRows, AReachWithTheKeyOpensAChainOnlyWhereGaruHoldsTheLock) {
  const int lock_height[7] = {0, 4, 3, 4, 3, 2, 3};
  for (int row = 2; row <= 4; ++row) {
    for (int pos = 1; pos <= 6; ++pos) {
      Sequence s;
      s.v.play_active = true;
      s.v.key_state = KeyState::kCarried;
      s.PlaceHero(6, row);
      s.v.garu_arm_pos = pos - 1;
      s.Tick(TimerId::Timer_Garu_Arm);  // the arm moves to `pos`
      ASSERT_EQ(s.v.garu_arm_pos, pos);
      s.f.unit.Press(Control::kRight);
      const std::string what =
          "reach at height " + std::to_string(row) + ", arm at " + std::to_string(pos);
      const bool opens = lock_height[pos] == row;
      EXPECT_EQ(s.Running(TimerId::Timer_Bonus_Phase_1), opens) << what;
      EXPECT_EQ(s.Running(TimerId::Timer_Key_Fall), !opens) << what;
      EXPECT_EQ(s.Sounded(opens ? "snd_Bonus1" : "snd_Key2"), 1) << what;
      EXPECT_TRUE(s.Lit(tiko_hand_6_seg[row])) << what;
    }
  }
}

// --- the misses and chance time ---

TEST(StepRows, ACaughtHeroBlinksWithHisHandThenTheMissIsCounted) {
  for (bool top_left : {true, false}) {
    Sequence s;
    if (top_left) {
      s.PlaceHero(1, 1);
      s.Show(tiko_hand_1_1_seg[1]);
      s.Show(tiko_hand_1_1_seg[2]);
    } else {
      s.PlaceHero(2, 3);
    }
    const ImageId hero = tiko_seg[s.v.hero_col][s.v.hero_row];
    s.v.miss_crow_step = 1;
    s.probe.timers().Start(TimerId::Timer_Miss_Crow, 1);
    const int intervals[] = {0, 200, 450, 250, 450, 250, 800};
    const bool shown[] = {true, true, false, true, false, true, false};
    for (int step = 1; step <= 6; ++step) {
      const std::string what = At("caught", step) + (top_left ? " at (1, 1)" : "");
      EXPECT_EQ(s.Tick(TimerId::Timer_Miss_Crow), intervals[step]) << what;
      EXPECT_EQ(s.Lit(hero), shown[step]) << what;
      if (top_left) {
        EXPECT_EQ(s.Lit(tiko_hand_1_1_seg[1]), shown[step]) << what;
        EXPECT_EQ(s.Lit(tiko_hand_1_1_seg[2]), step == 1) << what << ": the reach ends";
      }
      EXPECT_EQ(s.v.miss_count, 0) << what;
    }
    s.Tick(TimerId::Timer_Miss_Crow);
    EXPECT_EQ(s.v.miss_count, 1);
    EXPECT_FALSE(s.Running(TimerId::Timer_Miss_Crow));
    EXPECT_TRUE(s.v.play_active);
  }
}

TEST(StepRows, AFallDropsToTheBottomThenTheFiguresBlink) {
  // By step: the interval it leaves (0: the one before), the figures lit after it.
  struct Row {
    int interval;
    bool figure1;
    bool figure2;
  };
  const Row rows[] = {{},          {180, 0, 0}, {180, 0, 0}, {300, 0, 0}, {1, 1, 0},   {840, 1, 0},
                      {160, 1, 1}, {310, 1, 0}, {160, 1, 1}, {310, 1, 0}, {160, 1, 1}, {340, 1, 0},
                      {340, 0, 0}, {340, 1, 0}, {340, 0, 0}, {340, 1, 0}, {800, 0, 0}};
  for (int from = 1; from <= 4; ++from) {
    Sequence s;
    s.PlaceHero(5, from);
    s.v.miss_fall_step = from;
    s.probe.timers().Start(TimerId::Timer_Miss_Fall, 1);
    for (int step = from; step <= 16; ++step) {
      const std::string what = At("fall", step) + " from " + std::to_string(from);
      EXPECT_EQ(s.Tick(TimerId::Timer_Miss_Fall), rows[step].interval) << what;
      EXPECT_EQ(s.v.hero_row, std::min(step + 1, 5)) << what;
      if (step < 4) {
        EXPECT_TRUE(s.Lit(tiko_seg[5][step + 1])) << what;
      }
      EXPECT_EQ(s.Lit(miss_seg[1]), rows[step].figure1) << what;
      EXPECT_EQ(s.Lit(miss_seg[2]), rows[step].figure2) << what;
      EXPECT_EQ(s.Sounded("snd_Miss"), step >= 5 ? 1 : 0) << what;
    }
    s.Tick(TimerId::Timer_Miss_Fall);
    EXPECT_EQ(s.v.miss_count, 1) << "from " << from;
    EXPECT_FALSE(s.Running(TimerId::Timer_Miss_Fall));
  }
}

TEST(StepRows, ChanceTimePlaysOneFanfareMoreThanTheMissesClearingOneEach) {
  for (int misses = 0; misses <= 2; ++misses) {
    Sequence s;
    s.v.miss_count = misses;
    s.v.score = 300;
    s.v.chance_threshold = 300;
    s.v.chance_resume = Resume::kRescuePhase1;
    s.probe.CheckChanceTime();
    ASSERT_EQ(s.f.unit.timers()[TimerId::Timer_Chance].interval, 500);
    for (int fanfare = 1; fanfare <= misses + 1; ++fanfare) {
      const std::string what =
          "fanfare " + std::to_string(fanfare) + " of " + std::to_string(misses + 1);
      EXPECT_EQ(s.Tick(TimerId::Timer_Chance), 1800) << what;
      EXPECT_EQ(s.Sounded("snd_Chance"), fanfare) << what;
      EXPECT_EQ(s.v.miss_count, std::max(misses - fanfare, 0)) << what;
    }
    s.Tick(TimerId::Timer_Chance);
    EXPECT_FALSE(s.Running(TimerId::Timer_Chance));
    EXPECT_EQ(s.v.point_value, misses == 0 ? 2 : 1);
    EXPECT_TRUE(s.Running(TimerId::Timer_Bonus_Phase_1)) << "handed back";
  }
}

// --- the start, the hands, the jump, the coconut bonus, the flying side ---

TEST(StepRows, TheStartTunePlaysThenPlayBegins) {
  Sequence s;
  s.v.game_start_step = 1;
  EXPECT_EQ(s.Tick(TimerId::Timer_Game_Start), 4000);
  EXPECT_EQ(s.Sounded("snd_Start1"), 1);
  EXPECT_FALSE(s.v.play_active);
  s.Tick(TimerId::Timer_Game_Start);
  EXPECT_TRUE(s.v.play_active);
  EXPECT_EQ(s.v.umbrella_balloon_step, 1);
  EXPECT_FALSE(s.Running(TimerId::Timer_Game_Start));
  EXPECT_EQ(s.v.game_start_step, 3);
}

TEST(StepRows, TheHandAtTheCoconutRestsThenTheLockOpens) {
  Sequence s;
  s.PlaceHero(1, 1);
  s.Show(tiko_hand_1_1_seg[2]);
  s.v.hero_move_lock = true;
  s.v.hand_1_1_step = 1;
  EXPECT_EQ(s.Tick(TimerId::Timer_Tiko_1_1_Hand), 800);
  EXPECT_FALSE(s.Lit(tiko_hand_1_1_seg[2]));
  EXPECT_TRUE(s.Lit(tiko_hand_1_1_seg[1]));
  EXPECT_TRUE(s.v.hero_move_lock);
  s.Tick(TimerId::Timer_Tiko_1_1_Hand);
  EXPECT_FALSE(s.v.hero_move_lock);
  EXPECT_EQ(s.v.hand_1_1_step, 3);
}

// The hang time at (1, 4) by the crows nearby, then the landing with the key;
// the counter stays on its last step.
TEST(StepRows, TheJumpHangsByTheCrowsNearbyThenLandsWithTheKey) {
  struct Case {
    bool crow_above;   // (1, 4)
    bool crow_beside;  // (2, 5)
    KeyState key;
    int hang_ms;  // with the crow tick at 700 ms
  };
  const Case cases[] = {{false, false, KeyState::kHanging, 620},
                        {false, false, KeyState::kCarried, 560},
                        {true, false, KeyState::kHanging, 350},
                        {false, true, KeyState::kHanging, 1400},
                        {true, true, KeyState::kHanging, 1400}};
  for (const Case& c : cases) {
    Sequence s;
    s.probe.timers().SetInterval(TimerId::Timer_Game, 700);
    s.PlaceHero(1, 4);
    s.v.key_state = c.key;
    if (c.key == KeyState::kHanging) s.Show(key_seg[1]);
    if (c.crow_above) s.Show(crow_seg[1][4]);
    if (c.crow_beside) s.Show(crow_seg[2][5]);
    s.v.jump_step = 1;
    const std::string what = std::string(c.crow_above ? "crow above " : "") +
                             (c.crow_beside ? "crow beside " : "") +
                             (c.key == KeyState::kHanging ? "key hanging" : "key carried");
    EXPECT_EQ(s.Tick(TimerId::Timer_Tiko_Jump), c.hang_ms) << what;
    EXPECT_EQ(s.v.jump_step, 2) << what;
    s.Tick(TimerId::Timer_Tiko_Jump);
    EXPECT_EQ(s.Lit(seg::coconut_seg[0]), c.key == KeyState::kHanging) << what;
    EXPECT_EQ(s.v.key_state, KeyState::kCarried) << what;
    EXPECT_FALSE(s.Lit(key_seg[1])) << what;
    EXPECT_EQ(s.v.hero_row, 5) << what;
    EXPECT_TRUE(s.v.play_active) << what;
    EXPECT_EQ(s.v.jump_step, 2) << what;
    EXPECT_FALSE(s.Running(TimerId::Timer_Tiko_Jump)) << what;
    EXPECT_EQ(s.Sounded("snd_Step"), 1) << what;
  }
}

TEST(StepRows, TheCoconutBonusPaysWhileStepsAreLeftThenTheCoconutFallsOn) {
  Sequence s;
  s.PlaceHero(1, 5);
  s.v.coconut_pos = 3;
  s.v.coconut_bonus_left = 2;
  s.v.coconut_bonus_step = 1;
  s.Show(crow_seg[2][3]);
  EXPECT_EQ(s.Tick(TimerId::Timer_Coconut_Bonus), 200);
  EXPECT_EQ(s.v.score, 3);
  EXPECT_EQ(s.v.coconut_bonus_step, 1);
  EXPECT_EQ(s.Tick(TimerId::Timer_Coconut_Bonus), 200);
  EXPECT_EQ(s.v.score, 6);
  EXPECT_EQ(s.Tick(TimerId::Timer_Coconut_Bonus), 1) << "nothing left: on at once";
  EXPECT_EQ(s.v.coconut_bonus_step, 2);
  EXPECT_EQ(s.v.score, 6);
  s.Tick(TimerId::Timer_Coconut_Bonus);
  EXPECT_TRUE(s.v.play_active);
  EXPECT_TRUE(s.Running(TimerId::Timer_Coconut));
  EXPECT_FALSE(s.Running(TimerId::Timer_Coconut_Bonus));
  EXPECT_EQ(s.v.coconut_bonus_step, 2);
  EXPECT_EQ(s.Sounded("snd_Point"), 2);
}

// Umbrellas and balloons move by turns; a counter at neither moves nothing.
TEST(StepRows, TheUmbrellasAndTheBalloonsMoveByTurns) {
  Sequence s;
  s.PlaceHero(1, 5);
  s.Show(seg::umbrella_seg[2]);
  s.Show(seg::balloon_seg[3]);
  s.v.umbrella_balloon_step = 1;
  s.Tick(TimerId::Timer_Umbrella_Balloon);
  EXPECT_TRUE(s.Lit(seg::umbrella_seg[3]));
  EXPECT_TRUE(s.Lit(seg::balloon_seg[3]));
  EXPECT_EQ(s.v.umbrella_balloon_step, 2);
  s.Tick(TimerId::Timer_Umbrella_Balloon);
  EXPECT_TRUE(s.Lit(seg::umbrella_seg[3]));
  EXPECT_TRUE(s.Lit(seg::balloon_seg[2]));
  EXPECT_EQ(s.v.umbrella_balloon_step, 1);
  s.v.umbrella_balloon_step = 3;
  s.Tick(TimerId::Timer_Umbrella_Balloon);
  EXPECT_TRUE(s.Lit(seg::umbrella_seg[3]));
  EXPECT_TRUE(s.Lit(seg::balloon_seg[2]));
  EXPECT_EQ(s.v.umbrella_balloon_step, 3);
}

}  // namespace
}  // namespace tiko::test
