#include "tools/tiko_script/script_runner.h"

#include <gtest/gtest.h>

#include <sstream>

#include "tests/support/memory_store.h"

namespace tiko::test {
namespace {

struct ScriptResult {
  int status;
  std::string out;
  std::string err;
};

ScriptResult RunText(const std::string& script) {
  MemoryStore store;
  std::istringstream in(script);
  std::ostringstream out, err;
  int status = script::RunScript(in, out, err, store);
  return {status, out.str(), err.str()};
}

TEST(ScriptRunner, StopsAtALineItCannotUnderstandAfterEarlierOutput) {
  for (const char* bad : {"press sideways",
                          "release open",
                          "wait -5",
                          "wait",
                          "set nothing 1",
                          "set play_active 2",
                          "clock 24:00",
                          "clock 7:5",
                          "seed 4294967296",
                          "show im_backdrop",
                          "enable Timer_Nope",
                          "interval Timer_Game 0",
                          "dump now",
                          "jump",
                          "stall -1",
                          "stall",
                          "clock 10:00:00.5",
                          "clock 10:00.500",
                          "clock 10:00:00.",
                          "keys 2 3 4 6 37 39 40 38",
                          "keys 2 3 4 6 37 39 40 38 45",
                          "keys 0 3 4 6 37 39 40 38 42",
                          "overlays 2",
                          "overlays",
                          "hiscores_reset now",
                          "wait 10000000001",
                          "stall 10000000001",
                          "wait 99999999999999999999"}) {
    ScriptResult r = RunText("# comment\n\npress open\nwait 3\n" + std::string(bad) + "\ndump\n");
    EXPECT_EQ(r.status, 2) << bad;
    EXPECT_EQ(r.err.rfind("tiko-script: line 5: ", 0), 0u) << bad << ": " << r.err;
    EXPECT_EQ(r.out.find("dump"), std::string::npos) << bad;
  }
}

TEST(ScriptRunner, ClockRunsOnWithVirtualTimeAndSetChangesVariables) {
  ScriptResult r = RunText(
      "clock 11:59:58\npress open\npress time\nrelease time\nwait 1\nwait 2000\n"
      "set score 42\nset double_score_on 1\ndump\n");
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_NE(r.out.find("digits 1200\n"), std::string::npos);  // 12:00 PM after two seconds
  EXPECT_NE(r.out.find(" im_panel_time_pm "), std::string::npos);
  EXPECT_NE(r.out.find("score=42 "), std::string::npos);
  EXPECT_NE(r.out.find("double_score_on=1 "), std::string::npos);
  EXPECT_NE(r.out.find("@2001 dump\n"), std::string::npos);
}

// The longest wait, with the clock ticking every second through it: 10^7
// ticks, about a second of work.
TEST(ScriptRunner, TheLongestWaitRunsToItsEnd) {
  ScriptResult r =
      RunText("clock 00:00\npress open\npress time\nrelease time\nwait 10000000000\ndump\n");
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_NE(r.out.find("@10000000000 dump\n"), std::string::npos);
  EXPECT_NE(r.out.find(" Timer_Clock=1000:on "), std::string::npos);
}

}  // namespace
}  // namespace tiko::test
