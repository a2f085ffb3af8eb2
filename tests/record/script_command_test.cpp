// The window's replay and tiko-script read a recording alike: a line one of
// them refuses the other refuses for the same reason, and what the replay
// plays the harness plays to the same state.
#include <gtest/gtest.h>

#include <sstream>

#include "engine/unit.h"
#include "record/replay_steps.h"
#include "tests/support/memory_store.h"
#include "tools/tiko_script/script_runner.h"

namespace tiko {
namespace {

// What tiko-script says of a one-line script, after "line 1: ".
std::string HarnessReason(const std::string& line) {
  test::MemoryStore store;
  std::istringstream in(line + "\n");
  std::ostringstream out, err;
  if (script::RunScript(in, out, err, store) == 0) return "";
  const std::string prefix = "tiko-script: line 1: ";
  std::string text = err.str();
  EXPECT_TRUE(text.starts_with(prefix)) << text;
  text.erase(0, prefix.size());
  if (!text.empty() && text.back() == '\n') text.pop_back();
  return text;
}

std::string ReplayReason(const std::string& line) {
  std::istringstream in(line + "\n");
  std::vector<ReplayStep> steps = ReadSteps(in);
  EXPECT_EQ(steps.size(), 1u) << line;
  if (steps.size() != 1) return "?";
  test::MemoryStore store;
  Unit unit(UnitPorts{nullptr, &store, nullptr, nullptr});
  unit.CreateFinish();
  std::string why;
  if (ApplyStep(unit, steps[0], &why)) return "";
  EXPECT_TRUE(why.starts_with("line 1: ")) << why;
  return why.substr(std::string("line 1: ").size());
}

TEST(ScriptCommand, TheReplayRefusesWhatTheHarnessRefusesForTheSameReason) {
  for (const char* line : {
           "release open",   // the lid has no release
           "press start",    // no such button
           "keydown 65536",  // past the key codes
           "keys 1 2 3 4 5 6 7 8 45",
           "overlays 2",  // a flag is 0 or 1
           "set hiscore_a 2147483648", "seed -1", "clock 24:00:00.000",
           "wait 10000000001",  // past the longest time a line may give
           "stall x",
           "wait",  // arguments counted before they are read
           "hiscores_reset now",
           "jump",  // no such command
       }) {
    SCOPED_TRACE(line);
    const std::string harness = HarnessReason(line);
    EXPECT_FALSE(harness.empty());
    EXPECT_EQ(ReplayReason(line), harness);
  }
}

TEST(ScriptCommand, TheReplayPlaysOperationsAndHighScoresButStagesNoOtherState) {
  for (const char* line : {"press open", "release acl", "keydown 53", "keyup 53",
                           "keys 1 2 3 4 5 6 7 8 9", "overlays 1", "hiscores_reset",
                           "seed 4294967295", "clock 23:59:59.999", "set hiscore_b 12", "dump"}) {
    EXPECT_EQ(ReplayReason(line), "") << line;
    EXPECT_EQ(HarnessReason(line), "") << line;
  }
  for (const char* line :
       {"set miss_count 2", "show im_crow_2_5", "hide im_crow_2_5", "interval Timer_Clock 10",
        "enable Timer_Clock", "disable Timer_Clock"}) {
    EXPECT_EQ(HarnessReason(line), "") << line;
    const std::string word = std::string(line).substr(0, std::string(line).find(' '));
    EXPECT_EQ(ReplayReason(line), "'" + word + "' has no place in a recording") << line;
  }
}

TEST(ScriptCommand, ARecordingSavedWithWindowsLineEndsReadsAsItWasWritten) {
  std::istringstream plain("# tiko recording\nseed 7\nwait 120\nstall 300\npress open\n");
  std::istringstream windows(
      "\xEF\xBB\xBF# tiko recording\r\nseed 7\r\nwait 120\r\nstall 300\r\npress open\r\n");
  const std::vector<ReplayStep> a = ReadSteps(plain);
  const std::vector<ReplayStep> b = ReadSteps(windows);
  ASSERT_EQ(a.size(), 4u);
  ASSERT_EQ(b.size(), 4u);
  for (std::size_t i = 0; i < a.size(); ++i) {
    ASSERT_TRUE(b[i].command.has_value()) << b[i].why;
    EXPECT_EQ(b[i].command->verb, a[i].command->verb);
    EXPECT_EQ(b[i].command->number, a[i].command->number);
  }
  EXPECT_EQ(StepDuration(b[1]), 120);
  EXPECT_FALSE(IsStall(b[1]));
  EXPECT_EQ(StepDuration(b[2]), 300);
  EXPECT_TRUE(IsStall(b[2]));
  EXPECT_EQ(StepDuration(b[3]), std::nullopt);
}

}  // namespace
}  // namespace tiko
