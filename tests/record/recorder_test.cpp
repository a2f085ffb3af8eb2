// The recording file: what a fresh unit needs first, the waits and stalls
// between commands, every line on disk as soon as it is recorded, and the
// complete file with its games and both dumps at the end.
#include "record/recorder.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "tests/support/memory_store.h"

namespace tiko {
namespace {

class RecorderTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir = std::filesystem::temp_directory_path() /
          ("tiko_recorder_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
           "_" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::remove_all(dir);
  }
  void TearDown() override { std::filesystem::remove_all(dir); }

  std::string Read(const std::filesystem::path& file) {
    std::ifstream in(file);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
  }
  RecordingStart Start() {
    RecordingStart start;
    start.version = "9.99";
    start.date = "2026-01-02 03:04:05";
    start.seed = 4000000000u;
    start.clock_ms = ((23 * 60 + 59) * 60 + 58) * 1000 + 7;
    return start;
  }

  std::filesystem::path dir;
  test::MemoryStore store;
};

TEST_F(RecorderTest, StartsFromTheStoredStateOnlyWhereItDiffersFromAFreshUnit) {
  {
    Unit fresh(UnitPorts{nullptr, &store, nullptr, nullptr});
    fresh.CreateFinish();
    Recorder recorder(dir / "fresh.tiko", Start(), fresh);
    ASSERT_TRUE(recorder.ok());
    EXPECT_EQ(Read(dir / "fresh.tiko"),
              "# tiko recording\n# version 9.99\n# date 2026-01-02 03:04:05\n"
              "seed 4000000000\nclock 23:59:58.007\n");
  }
  store.values["HiScore1"] = "230";
  store.values["HiScore2"] = "12";
  store.values["Key3"] = "30";
  store.values["CtrlrOverlay"] = "0";
  Unit stored(UnitPorts{nullptr, &store, nullptr, nullptr});
  stored.CreateFinish();
  Recorder recorder(dir / "stored.tiko", Start(), stored);
  const std::string text = Read(dir / "stored.tiko");
  EXPECT_NE(text.find("clock 23:59:58.007\nset hiscore_a 230\nset hiscore_b 12\nkeys "),
            std::string::npos)
      << text;
  EXPECT_NE(text.find(" 30 "), std::string::npos) << text;
  EXPECT_NE(text.find("\noverlays 0\n"), std::string::npos) << text;
  // Never over an earlier recording of the same name.
  Recorder again(dir / "stored.tiko", Start(), stored);
  EXPECT_FALSE(again.ok());
  EXPECT_EQ(Read(dir / "stored.tiko"), text);
}

TEST_F(RecorderTest, WaitsAndStallsLieBetweenCommandsAndEachLineIsOnDiskAtOnce) {
  Unit unit(UnitPorts{nullptr, &store, nullptr, nullptr});
  unit.CreateFinish();
  Recorder recorder(dir / "r.tiko", Start(), unit);
  recorder.Command(0, "press open");
  recorder.Command(250, "keydown 49");
  recorder.Command(250, "keyup 49");  // at the same moment: no wait
  recorder.Stall(1000, 2000);
  recorder.Command(3000, "keydown 37");  // right after the stall
  recorder.Command(3040, "keyup 37");
  // A crash now loses nothing recorded.
  const std::string so_far = Read(dir / "r.tiko");
  EXPECT_NE(so_far.find("press open\nwait 250\nkeydown 49\nkeyup 49\nwait 750\nstall 2000\n"
                        "keydown 37\nwait 40\nkeyup 37\n"),
            std::string::npos)
      << so_far;
}

TEST_F(RecorderTest, TheFinishedFileNamesItsGamesAndEndsWithBothDumps) {
  Unit unit(UnitPorts{nullptr, &store, nullptr, nullptr});
  unit.CreateFinish();
  Recorder recorder(dir / "r.tiko", Start(), unit);
  Vars v = unit.vars();
  v.mode = mode::kGameA;
  recorder.Command(100, "keyup 49");
  recorder.Observe(v, 3723000);  // 01:02:03
  v.score = 57;
  v.hiscore_a = 57;
  v.mode = mode::kGameOver;
  recorder.Observe(v, 3800000);
  EXPECT_TRUE(recorder.HighScoreSet());
  recorder.Finish(5000, v, "@5000 dump\nvars a=1\n");
  EXPECT_FALSE(recorder.ok());  // nothing more is recorded
  EXPECT_EQ(Read(dir / "r.tiko"),
            "# tiko recording\n# version 9.99\n# date 2026-01-02 03:04:05\n"
            "# game 01:02:03 A 57\n# high score set\n"
            "seed 4000000000\nclock 23:59:58.007\nwait 100\nkeyup 49\nwait 4900\ndump\n"
            "# @5000 dump\n# vars a=1\n");
  EXPECT_FALSE(std::filesystem::exists(dir / "r.tiko.part"));
}

TEST_F(RecorderTest, AHighScoreLostToAResetIsNoHighScoreSet) {
  store.values["HiScore1"] = "100";
  Unit unit(UnitPorts{nullptr, &store, nullptr, nullptr});
  unit.CreateFinish();
  Recorder recorder(dir / "r.tiko", Start(), unit);
  Vars v = unit.vars();
  v.hiscore_a = 0;  // Reset Hiscores
  recorder.Observe(v, 0);
  v.mode = mode::kGameB;
  recorder.Observe(v, 0);
  EXPECT_FALSE(recorder.HighScoreSet());
  v.hiscore_b = 3;  // the first Game B score after the reset
  recorder.Observe(v, 0);
  EXPECT_TRUE(recorder.HighScoreSet());
}

}  // namespace
}  // namespace tiko
