// tiko-script --verify: a recording replays to its recorded end, and any
// departure from it is found and named on one line.
#include "tools/tiko_script/verify.h"

#include <gtest/gtest.h>

#include <sstream>

#include "tests/support/memory_store.h"
#include "tools/tiko_script/script_runner.h"

namespace tiko::test {
namespace {

// A session with a changed clock and a stall in the middle of a game.
constexpr const char* kSession =
    "# tiko recording\n"
    "seed 1234\n"
    "clock 08:15:30.250\n"
    "press open\n"
    "wait 700\n"
    "press time\n"
    "release time\n"
    "wait 1500\n"
    "clock 23:59:59.900\n"
    "wait 1200\n"
    "press game_a\n"
    "release game_a\n"
    "wait 6000\n"
    "stall 2345\n"
    "keydown 37\n"
    "wait 480\n"
    "keyup 37\n"
    "wait 3000\n"
    "dump\n";

// The session's script followed by its own final dump, as a recording ends.
std::string Recorded(const std::string& script) {
  MemoryStore store;
  std::istringstream in(script);
  std::ostringstream out, err;
  EXPECT_EQ(script::RunScript(in, out, err, store), 0) << err.str();
  const std::string printed = out.str();
  std::istringstream dump(printed.substr(printed.rfind("\n@") + 1));
  std::string recording = script;
  for (std::string line; std::getline(dump, line);) recording += "# " + line + "\n";
  return recording;
}

struct Verdict {
  int status;
  std::string line;
};

Verdict Verify(const std::string& recording) {
  std::istringstream in(recording);
  std::ostringstream out;
  const int status = script::VerifyRecording(in, out);
  return {status, out.str()};
}

TEST(Verify, AClockChangeAndAStallReplayExactly) {
  const std::string recording = Recorded(kSession);
  ASSERT_NE(recording.find("# timers "), std::string::npos);
  const Verdict v = Verify(recording);
  EXPECT_EQ(v.status, 0) << v.line;
  EXPECT_EQ(std::count(v.line.begin(), v.line.end(), '\n'), 1);

  // The same inputs with the stall taken as a wait end elsewhere.
  std::string waited = recording;
  waited.replace(waited.find("stall 2345"), 10, "wait 2345");
  EXPECT_EQ(Verify(waited).status, 1);
}

TEST(Verify, NamesTheFirstDepartureOnOneLine) {
  std::string recording = Recorded(kSession);
  // A different seed plays another game.
  std::string reseeded = recording;
  reseeded.replace(reseeded.find("seed 1234"), 9, "seed 4321");
  // A dump line edited by hand.
  std::string edited = recording;
  const size_t digits = edited.find("# digits ");
  edited.replace(digits, 13, "# digits 9999");
  for (const std::string& bad : {reseeded, edited}) {
    const Verdict v = Verify(bad);
    EXPECT_EQ(v.status, 1);
    EXPECT_EQ(v.line.rfind("tiko-script: verify: final dump differs in '", 0), 0u) << v.line;
    EXPECT_EQ(std::count(v.line.begin(), v.line.end(), '\n'), 1) << v.line;
  }
  EXPECT_NE(Verify(edited).line.find("recorded 9999, replayed "), std::string::npos);
}

TEST(Verify, RefusesWhatIsNoCompleteRecording) {
  const std::string recording = Recorded(kSession);
  // No dump at the end, a command after the recorded dump, a line it cannot read.
  const std::string no_dump = kSession;
  const std::string after = recording + "wait 5\n";
  std::string bad_line = recording;
  bad_line.replace(bad_line.find("wait 700"), 8, "wait soon");
  for (const std::string& bad : {no_dump, after, bad_line}) {
    const Verdict v = Verify(bad);
    EXPECT_EQ(v.status, 1) << v.line;
    EXPECT_EQ(std::count(v.line.begin(), v.line.end(), '\n'), 1) << v.line;
  }
  EXPECT_EQ(Verify(bad_line).line, "tiko-script: line 5: bad time 'soon'\n");
}

}  // namespace
}  // namespace tiko::test
