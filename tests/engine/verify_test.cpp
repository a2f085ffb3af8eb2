// tiko-script --verify: a recording replays to its recorded end, and any
// departure from it is found and named on one line.
#include "tools/tiko_script/verify.h"

#include <gtest/gtest.h>

#include <sstream>

#include "tests/support/memory_store.h"
#include "tools/tiko_script/script_runner.h"

namespace tiko::test {
namespace {

// A session with a changed clock, past midnight, and a stall in the middle of
// a Game A.
constexpr const char* kPlay =
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
    "wait 3000\n";

// The session ending in the middle of the game.
const std::string kSession =
    std::string("# tiko recording\n# game 00:00:01 A 0\n") + kPlay + "dump\n";

// The same Game A ended by ACL with 37 points, then a Game B still running.
const std::string kTwoGames = std::string(
                                  "# tiko recording\n"
                                  "# game 00:00:01 A 37\n"
                                  "# game  00:00:12  B 0\n") +
                              kPlay +
                              "set score 37\n"
                              "press acl\n"
                              "release acl\n"
                              "press game_b\n"
                              "release game_b\n"
                              "wait 500\n"
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
  EXPECT_EQ(v.line, "tiko-script: verify: final dump and 1 game agree\n");
  EXPECT_EQ(std::count(v.line.begin(), v.line.end(), '\n'), 1);

  // The same inputs with the stall taken as a wait end elsewhere.
  std::string waited = recording;
  waited.replace(waited.find("stall 2345"), 10, "wait 2345");
  EXPECT_EQ(Verify(waited).status, 1);
}

TEST(Verify, EveryGameInTheHeaderMustAgree) {
  const std::string recording = Recorded(kTwoGames);
  EXPECT_EQ(Verify(recording).line, "tiko-script: verify: final dump and 2 games agree\n");

  std::string score = recording;
  score.replace(score.find("A 37"), 4, "A 38");
  EXPECT_EQ(
      Verify(score).line,
      "tiko-script: verify: game 1 differs: recorded 00:00:01 A 38, replayed 00:00:01 A 37\n");
  std::string start = recording;
  start.replace(start.find("00:00:12"), 8, "00:00:13");
  std::string missing = recording;
  missing.erase(missing.find("# game  00:00:12"), 22);
  std::string extra = recording;
  extra.insert(extra.find("seed"), "# game 00:01:00 A 5\n");
  for (const std::string& bad : {start, missing, extra}) {
    const Verdict v = Verify(bad);
    EXPECT_EQ(v.status, 1) << v.line;
    EXPECT_EQ(v.line.rfind("tiko-script: verify: game ", 0), 0u) << v.line;
  }
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
  EXPECT_EQ(Verify(bad_line).line, "tiko-script: line 6: bad time 'soon'\n");
}

}  // namespace
}  // namespace tiko::test
