// The splash window over the real sound start-up, in a folder with or without
// the sound samples.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QTemporaryDir>
#include <QTest>
#include <filesystem>

#include "app/shell/start_host.h"
#include "sound/capture_output.h"
#include "sound/fsound_hooks.h"
#include "sound/sound_system.h"
#include "tests/support/memory_store.h"

namespace tiko {
namespace {

class SoundStartTest : public testing::Test, public SoundHost {
 protected:
  SoundStartTest() {
    old_dir_ = std::filesystem::current_path();
    std::filesystem::current_path(dir_.path().toStdString());
    fsound::SetCallObserver([this](const std::string& call) { calls.push_back(call); });
    fsound::SetOutputFactory([] { return std::make_shared<fsound::CaptureOutput>(); });
    host.open_output = [this](std::optional<SoundOutput> output) {
      return sound.Snd_Open_Output(output);
    };
    host.start_unit = [this] { ++started; };
    host.terminate = [this] { RequestTerminate(); };
  }
  ~SoundStartTest() override {
    sound.Snd_Close_Output();
    fsound::SetCallObserver(nullptr);
    fsound::SetOutputFactory(nullptr);
    std::filesystem::current_path(old_dir_);
  }
  void ShowError(const std::string& message) override { errors.push_back(message); }
  void RequestTerminate() override { ++terminates; }

  std::unique_ptr<TSplashForm> Splash() {
    auto form = std::make_unique<TSplashForm>(store, host, first_activation);
    if (!form->StartedDirectly()) form->show();
    return form;
  }

  QTemporaryDir dir_;
  std::filesystem::path old_dir_;
  test::MemoryStore store;
  SoundSystem sound{&store, this};
  StartHost host;
  bool first_activation = true;
  std::vector<std::string> calls, errors;
  int started = 0, terminates = 0;
};

TEST_F(SoundStartTest, NoSoundStartsSilentlyWithoutTouchingTheLibrary) {
  auto form = Splash();
  form->cb_sound->setCurrentIndex(2);
  QTest::keyClick(form->cb_sound, Qt::Key_Return);
  EXPECT_EQ(started, 1);
  EXPECT_EQ(store.values["SoundMode"], "2");
  EXPECT_FALSE(sound.sound_on());
  EXPECT_TRUE(calls.empty());
}

TEST_F(SoundStartTest, MissingSoundFolderEndsTheProgramAndTheNextStartAsksAgain) {
  store.values = {{"SoundMode", "1"}, {"SplashScreen", "0"}};
  {
    auto form = Splash();  // straight to the unit, but the samples are gone
    EXPECT_TRUE(form->StartedDirectly());
  }
  EXPECT_EQ(errors, std::vector<std::string>{kSoundFolderMessage});
  EXPECT_EQ(terminates, 1);
  EXPECT_EQ(started, 0);
  EXPECT_EQ(store.values["SoundMode"], "-1");
  EXPECT_EQ(store.values["SplashScreen"], "1");

  auto form = Splash();
  EXPECT_FALSE(form->StartedDirectly());
  EXPECT_EQ(form->cb_sound->currentIndex(), -1);
  EXPECT_TRUE(form->btn_play_disabled->isVisible());
}

}  // namespace
}  // namespace tiko
