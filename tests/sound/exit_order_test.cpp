// The library's way out: its output stops before the mixer or a sample it
// reads is freed, whether the program closes it, ends without closing it, or
// it is shut down twice.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <memory>

#include "sound/fsound.h"
#include "sound/fsound_hooks.h"
#include "sound/mixer.h"
#include "tests/sound/sound_fixture.h"
#include "tests/sound/wav_bytes.h"

namespace tiko::test {
namespace {

constexpr std::int16_t kLevel = 1200;

// Stopping mixes once more, as a device thread does when it is closed in the
// middle of a callback, and like the sound device it stops when destroyed.
class MixesWhileStopping : public fsound::AudioOutput {
 public:
  ~MixesWhileStopping() override { Stop(); }
  bool Start(fsound::Mixer* mixer, int) override {
    mixer_ = mixer;
    return true;
  }
  void Stop() override {
    if (mixer_ == nullptr) return;
    std::int16_t out[2 * 16] = {};
    mixer_->Mix(out, 16);
    mixer_ = nullptr;
    ++stops;
    last_heard = out[0];
    if (exit_unless_heard && last_heard != kLevel) std::_Exit(3);
  }
  int stops = 0;
  std::int16_t last_heard = 0;
  bool exit_unless_heard = false;

 private:
  fsound::Mixer* mixer_ = nullptr;
};

using ExitOrderTest = SoundFixture;

// Starts the library on a fresh MixesWhileStopping with a long cue playing.
std::shared_ptr<MixesWhileStopping> StartPlaying() {
  auto output = std::make_shared<MixesWhileStopping>();
  std::weak_ptr<MixesWhileStopping> handed = output;
  fsound::SetOutputFactory([handed] { return handed.lock(); });
  WriteBytes("level.wav", LevelWav(kLevel, 100));
  EXPECT_TRUE(FSOUND_Init(22050, 64, 0));
  FSOUND_SAMPLE* s = FSOUND_Sample_Load(FSOUND_UNMANAGED, "level.wav", FSOUND_2D, 0, 0);
  EXPECT_NE(s, nullptr);
  EXPECT_EQ(FSOUND_PlaySound(FSOUND_FREE, s), 0);
  return output;
}

TEST_F(ExitOrderTest, CloseAndShutdownStopTheOutputWhileTheCueIsStillThere) {
  auto output = StartPlaying();
  FSOUND_Close();
  EXPECT_EQ(output->stops, 1);
  EXPECT_EQ(output->last_heard, kLevel);

  output = StartPlaying();
  fsound::Shutdown();
  EXPECT_EQ(output->stops, 1);
  EXPECT_EQ(output->last_heard, kLevel);
  fsound::Shutdown();  // nothing left: harmless
  FSOUND_Close();
  EXPECT_EQ(output->stops, 1);
  // The library starts again after a shutdown.
  output = StartPlaying();
  EXPECT_FALSE(calls_.empty());
}

// Escape and the Exit command end the program without FSOUND_Close: the
// library's own destruction must stop the output first. A use after free
// here is what AddressSanitizer reports; without it the freed cue reads back
// changed.
TEST_F(ExitOrderTest, EndingWithoutCloseStopsTheOutputBeforeFreeing) {
  // A fresh process rather than a fork: earlier tests may have left threads.
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_EXIT(
      {
        // The library alone holds the output, as the program's does.
        auto output = std::make_shared<MixesWhileStopping>();
        output->exit_unless_heard = true;
        fsound::SetOutputFactory([&output] { return std::move(output); });
        fsound::SetCallObserver(nullptr);
        WriteBytes("level.wav", LevelWav(kLevel, 100));
        FSOUND_Init(22050, 64, 0);
        FSOUND_PlaySound(FSOUND_FREE, FSOUND_Sample_Load(-1, "level.wav", FSOUND_2D, 0, 0));
        std::exit(0);
      },
      ::testing::ExitedWithCode(0), "");
}

}  // namespace
}  // namespace tiko::test
