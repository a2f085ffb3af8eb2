// A session in the window written down as a script: tiko-script on the file,
// with empty settings, ends in the window's own state, through menu
// operations, a changed clock and a stall; and the window's replay of it
// ends there too, deaf to every key but its own.
#include <gtest/gtest.h>

#include <QKeyEvent>
#include <fstream>
#include <sstream>

#include "fake_skin.h"
#include "record/recordings_folder.h"
#include "tests/support/memory_store.h"
#include "tools/tiko_script/script_runner.h"

namespace tiko {
namespace {

using test::FormFixture;

// The computer's time of day, which the test moves.
class FakeLocalTime : public LocalClock {
 public:
  explicit FakeLocalTime(std::int64_t& now) : now_(now) {}
  TimeOfDay Now() override { return TimeOfDayOf((base + now_) % kDayMs); }
  std::int64_t base = (10 * 60 + 30) * 60 * 1000;  // 10:30

 private:
  std::int64_t& now_;
};

std::string ReadFile(const std::filesystem::path& file) {
  std::ifstream in(file);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

// The dump the window wrote as comments after the final `dump`.
std::string RecordedDump(const std::string& recording) {
  std::string dump;
  const size_t at = recording.rfind("\ndump\n");
  std::istringstream rest(recording.substr(at == std::string::npos ? 0 : at + 6));
  for (std::string line; std::getline(rest, line);) {
    if (line.starts_with("# ")) dump += line.substr(2) + '\n';
  }
  return dump;
}

class RecordingTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir = std::filesystem::temp_directory_path() /
          ("tiko_session_" +
           std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
    std::filesystem::remove_all(dir);
  }
  void TearDown() override { std::filesystem::remove_all(dir); }

  void Tap(TForm1& form, int key) {
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
    QApplication::sendEvent(&form, &press);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier);
    QApplication::sendEvent(&form, &release);
    form.held_keys().Settle();
  }
  // Real time runs on to `t`, the host's timer firing on time.
  void RunTo(FormFixture& f, std::int64_t t) {
    while (f.form->host().Armed() && now + f.form->host().ArmedDelayMs() <= t) {
      now += f.form->host().ArmedDelayMs();
      f.form->host().Fire();
    }
    now = t;
  }

  // A session with a Game A, every menu operation, a changed clock and a
  // hold-up; gives the recording's text.
  std::string PlayRecordedSession() {
    FormFixture f;
    f.store.values["HiScore1"] = "7";
    f.store.values["CtrlrOverlay"] = "0";
    f.form->host().SetClockForTesting([this] { return now; });
    f.Create();
    FakeLocalTime local(now);
    f.form->host().FollowLocalTime(&local);
    Session& session = f.form->session();
    session.StartRecording(dir, "1.0");
    file = session.RecordingFile();
    EXPECT_FALSE(file.empty());

    RunTo(f, 1200);
    Tap(*f.form, Qt::Key_5);  // open
    RunTo(f, 2000);
    session.AcceptKeys({2, 3, 4, 6, 37, 39, 40, 38, 30});  // jump on '0'... then back
    session.SetOverlays(true);
    Tap(*f.form, Qt::Key_1);  // Game A
    RunTo(f, 7000);
    session.Press(Control::kRight);
    RunTo(f, 7300);
    session.Release(Control::kRight);
    // Right held with the server's repeat: 25 presses a second, most of them
    // while the hero's step locks it.
    for (int i = 0; i < 50; ++i) {
      f.form->held_keys().Pressed(114, 0, [] { return 39; });
      RunTo(f, now + 40);
    }
    f.form->held_keys().Released(114, 0);
    f.form->held_keys().Settle();
    Tap(*f.form, Qt::Key_Up);
    RunTo(f, 9100);
    local.base += 3'600'000;  // the system clock put forward an hour
    RunTo(f, 9900);
    Tap(*f.form, Qt::Key_Left);
    now += 2500;  // the program held up
    Tap(*f.form, Qt::Key_Right);
    session.Press(Control::kOpen);  // no release for the lid
    session.Release(Control::kOpen);
    RunTo(f, 15000);
    session.ResetHiscores();
    RunTo(f, 16000);
    session.FinishRecording();
    window_dump = DumpText(f.form->unit());
    EXPECT_TRUE(session.RecordingFile().empty());
    return ReadFile(file);
  }

  std::int64_t now = 0;
  std::filesystem::path dir;
  std::filesystem::path file;
  std::string window_dump;
};

TEST_F(RecordingTest, TiKoScriptOnTheRecordingEndsInTheWindowsState) {
  const std::string recording = PlayRecordedSession();
  for (const char* line :
       {"\nseed ", "\nclock 10:30:00.000\n", "\nset hiscore_a 7\n", "\noverlays 0\n",
        "\nkeys 2 3 4 6 37 39 40 38 30\n", "\noverlays 1\n", "\nkeydown 49\n", "\npress right\n",
        "\nrelease right\n", "\nclock 11:30:09.", "\nstall 2", "\npress open\n",
        "\nhiscores_reset\n", "\n# game 10:30:02 A "}) {
    EXPECT_NE(recording.find(line), std::string::npos) << line << " in\n" << recording;
  }
  EXPECT_EQ(recording.find("release open"), std::string::npos);
  // Repeats that did nothing are left out; those that moved the hero are in.
  int rights = 0;
  for (size_t at = 0; (at = recording.find("\nkeydown 39\n", at)) != std::string::npos; ++at) {
    ++rights;
  }
  EXPECT_GT(rights, 1);
  EXPECT_LT(rights, 20);
  EXPECT_EQ(RecordedDump(recording), window_dump);

  test::MemoryStore empty;
  std::istringstream in(recording);
  std::ostringstream out;
  std::ostringstream err;
  ASSERT_EQ(script::RunScript(in, out, err, empty), 0) << err.str();
  const std::string printed = out.str();
  EXPECT_EQ(printed.substr(printed.rfind("\n@") + 1), window_dump);
}

TEST_F(RecordingTest, TheWindowsReplayEndsThereAndTakesOnlyItsOwnKeys) {
  PlayRecordedSession();
  FormFixture f;
  std::string why;
  ASSERT_TRUE(f.form->session().LoadReplay(file, &why)) << why;
  f.Create();
  const ReplayPlayer& player = *f.form->session().replay();
  f.form->session().StartReplay();
  EXPECT_FALSE(player.finished());

  Tap(*f.form, Qt::Key_Space);
  EXPECT_TRUE(player.paused());
  Tap(*f.form, Qt::Key_Space);
  for (int speed : {2, 4, 8, 1}) {
    Tap(*f.form, Qt::Key_Right);
    EXPECT_EQ(player.speed(), speed);
  }
  const std::string before = DumpText(f.form->unit());
  Tap(*f.form, Qt::Key_5);  // the open key opens nothing
  f.form->session().Press(Control::kOpen);
  EXPECT_EQ(DumpText(f.form->unit()), before);

  f.form->session().replay_for_testing().Advance(60'000);
  EXPECT_TRUE(player.finished());
  EXPECT_TRUE(player.error().empty()) << player.error();
  EXPECT_EQ(DumpText(f.form->unit()), window_dump);
}

TEST_F(RecordingTest, AReplayStopsAtALineItCannotPlay) {
  std::filesystem::create_directories(dir);
  std::ofstream(dir / "bad.tiko") << "# tiko recording\nseed 1\nwait 10\nshow im_crow_2_5\n";
  FormFixture f;
  std::string why;
  EXPECT_FALSE(f.form->session().LoadReplay(dir / "missing.tiko", &why));
  EXPECT_NE(why.find("missing.tiko"), std::string::npos);
  ASSERT_TRUE(f.form->session().LoadReplay(dir / "bad.tiko", &why));
  f.Create();
  f.form->session().StartReplay();
  f.form->session().replay_for_testing().Advance(100);
  EXPECT_TRUE(f.form->session().replay()->finished());
  EXPECT_EQ(f.form->session().replay()->error(), "line 4: 'show' has no place in a recording");
}

}  // namespace
}  // namespace tiko
