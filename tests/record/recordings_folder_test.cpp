// The recordings folder: where it lies, names that sort by time, what the
// menu reads of each, and the pruning that keeps the newest 50 and every
// recording of a high score.
#include "record/recordings_folder.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <fstream>

#include "record/recorder.h"

namespace tiko {
namespace {

class FolderTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir = std::filesystem::temp_directory_path() /
          ("tiko_folder_" +
           std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);
  }
  void TearDown() override { std::filesystem::remove_all(dir); }
  void Write(const std::string& name, const std::string& text) {
    std::ofstream(dir / name) << text;
  }
  std::filesystem::path dir;
};

TEST_F(FolderTest, TheFolderFollowsXdgDataHomeWhenItIsAbsolute) {
  const char* old_data = std::getenv("XDG_DATA_HOME");
  const std::string saved = old_data ? old_data : "";
  setenv("HOME", "/home/player", 1);
  setenv("XDG_DATA_HOME", "/data", 1);
  EXPECT_EQ(RecordingsFolder(), std::filesystem::path("/data/tiko/recordings"));
  setenv("XDG_DATA_HOME", "relative/data", 1);
  EXPECT_EQ(RecordingsFolder(), std::filesystem::path("/home/player/.local/share/tiko/recordings"));
  unsetenv("XDG_DATA_HOME");
  EXPECT_EQ(RecordingsFolder(), std::filesystem::path("/home/player/.local/share/tiko/recordings"));
  if (old_data) setenv("XDG_DATA_HOME", saved.c_str(), 1);
}

TEST_F(FolderTest, NamesSortInTimeOrder) {
  const auto t = std::chrono::system_clock::now();
  const std::string a = RecordingName(t);
  const std::string b = RecordingName(t + std::chrono::milliseconds(7));
  const std::string c = RecordingName(t + std::chrono::hours(30));
  EXPECT_LT(a, b);
  EXPECT_LT(b, c);
  EXPECT_EQ(a.size(), std::string("20260102-030405-006.tiko").size());
}

TEST_F(FolderTest, TheSummaryIsTheHeaderOnly) {
  Write("a.tiko",
        "# tiko recording\n# date 2026-01-02 03:04:05\n# game 03:05:00 A 12\n"
        "# game 03:09:00 B 7\n# high score set\nseed 1\n# game 99:99:99 A 1\n");
  const RecordingSummary s = ReadSummary(dir / "a.tiko");
  EXPECT_EQ(s.date, "2026-01-02 03:04:05");
  EXPECT_EQ(s.games, (std::vector<std::string>{"03:05:00 A 12", "03:09:00 B 7"}));
  EXPECT_TRUE(s.high_score);
  EXPECT_FALSE(ReadSummary(dir / "missing.tiko").high_score);
}

TEST_F(FolderTest, PruningKeepsTheNewestAndEveryHighScoreAndNothingElseOfTheFolder) {
  for (int i = 0; i < 60; ++i) {
    char name[32];
    std::snprintf(name, sizeof name, "20260101-0000%02d-000.tiko", i);
    Write(name,
          i % 10 == 0 ? "# tiko recording\n# high score set\nseed 1\n" : "# tiko recording\n");
  }
  Write("notes.txt", "mine");
  Write("20260101-000000-000.tiko.part", "");
  PruneRecordings(dir, 50);
  const auto list = ListRecordings(dir);
  // 60 - 6 high scores = 54 others, of which the newest 50 stay.
  EXPECT_EQ(list.size(), 56u);
  EXPECT_EQ(list.front().file.filename(), "20260101-000059-000.tiko");  // newest first
  for (int gone : {1, 2, 3, 4}) {
    char name[32];
    std::snprintf(name, sizeof name, "20260101-0000%02d-000.tiko", gone);
    EXPECT_FALSE(std::filesystem::exists(dir / name)) << name;
  }
  EXPECT_TRUE(std::filesystem::exists(dir / "20260101-000000-000.tiko"));  // a high score
  EXPECT_TRUE(std::filesystem::exists(dir / "20260101-000005-000.tiko"));
  EXPECT_TRUE(std::filesystem::exists(dir / "notes.txt"));
  EXPECT_TRUE(std::filesystem::exists(dir / "20260101-000000-000.tiko.part"));
}

}  // namespace
}  // namespace tiko
