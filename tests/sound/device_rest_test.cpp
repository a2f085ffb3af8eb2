// The sound device through SDL's dummy driver, whose thread pulls buffers as a
// real device's does: it closes after a while of silence and the next cue
// opens it again. Under ThreadSanitizer this is where the game thread, the
// device thread and the thread that opens and closes the device meet.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <functional>
#include <thread>

#include "sound/mixer.h"
#include "sound/sdl_output.h"

namespace tiko::test {
namespace {

using namespace std::chrono_literals;

// Waits up to 5 s (a loaded machine) for `done`.
bool Eventually(const std::function<bool()>& done) {
  for (int i = 0; i < 500; ++i) {
    if (done()) return true;
    std::this_thread::sleep_for(10ms);
  }
  return done();
}

fsound::Pcm Tone(int frames) {
  fsound::Pcm pcm;
  pcm.channels = 1;
  pcm.rate = 22050;
  for (int i = 0; i < frames; ++i) pcm.data.push_back(static_cast<std::int16_t>(i % 64 * 100));
  return pcm;
}

struct Heard {
  std::atomic<int> cues{0};
  std::atomic<int> reopened{0};
  std::atomic<bool> keeps_open{false};
  fsound::SdlOutput::Report Report() {
    return [this](double, bool was_reopened, bool keeps) {
      ++cues;
      if (was_reopened) ++reopened;
      keeps_open = keeps;
    };
  }
};

class DeviceRest : public ::testing::Test {
 protected:
  void SetUp() override { ::setenv("SDL_AUDIODRIVER", "dummy", 1); }

  // Starts a cue as the library does and marks it for the report.
  void Cue(fsound::SdlOutput& output, const fsound::Pcm& pcm) {
    bool woke = false;
    EXPECT_GE(mixer_.Play(fsound::Mixer::kFreeChannel, &pcm, &woke), 0);
    if (woke) output.Wake();
    output.Mark(fsound::SdlOutput::Clock::now());
  }

  fsound::Mixer mixer_{64};
  const fsound::Pcm cue_ = Tone(2205);  // 100 ms
  Heard heard_;
};

TEST_F(DeviceRest, ClosesAfterSilenceAndTheNextCueOpensItAndIsHeard) {
  fsound::SdlOutput output({.idle = 60ms, .reopen_budget = 5000ms}, heard_.Report());
  ASSERT_TRUE(output.Start(&mixer_, 22050));
  EXPECT_TRUE(output.DeviceOpen());
  EXPECT_TRUE(Eventually([&] { return !output.DeviceOpen(); }));

  for (int round = 1; round <= 4; ++round) {
    Cue(output, cue_);
    EXPECT_TRUE(Eventually([&] { return heard_.cues == round; })) << "round " << round;
    EXPECT_EQ(heard_.reopened, round);
    EXPECT_EQ(output.Opens(), round + 1);
    EXPECT_TRUE(Eventually([&] { return !output.DeviceOpen(); })) << "round " << round;
  }
  EXPECT_FALSE(heard_.keeps_open);

  // Cues closer together than the silence that closes it keep it open.
  output.Stop();
  fsound::SdlOutput slow_to_close({.idle = 2000ms, .reopen_budget = 5000ms}, heard_.Report());
  ASSERT_TRUE(slow_to_close.Start(&mixer_, 22050));
  for (int i = 0; i < 3; ++i) {
    Cue(slow_to_close, cue_);
    std::this_thread::sleep_for(150ms);
  }
  EXPECT_TRUE(slow_to_close.DeviceOpen());
  EXPECT_EQ(slow_to_close.Opens(), 1);
  slow_to_close.Stop();
  EXPECT_FALSE(slow_to_close.DeviceOpen());
}

TEST_F(DeviceRest, ADriverTooSlowToReopenKeepsTheDeviceOpenAndPausedWhenSilent) {
  // No reopen can meet a budget of nothing.
  fsound::SdlOutput output({.idle = 30ms, .reopen_budget = 0ms}, heard_.Report());
  ASSERT_TRUE(output.Start(&mixer_, 22050));
  for (int round = 1; round <= 3; ++round) {
    ASSERT_TRUE(Eventually([&] { return !output.DeviceOpen(); })) << "round " << round;
    Cue(output, cue_);
    ASSERT_TRUE(Eventually([&] { return heard_.cues == round; })) << "round " << round;
  }
  EXPECT_TRUE(heard_.keeps_open);
  EXPECT_TRUE(output.KeepsOpen());

  // From now on it rests paused, and each cue resumes it.
  for (int round = 4; round <= 6; ++round) {
    EXPECT_TRUE(Eventually([&] { return output.Paused(); })) << "round " << round;
    Cue(output, cue_);
    EXPECT_FALSE(output.Paused());
    EXPECT_TRUE(Eventually([&] { return heard_.cues == round; })) << "round " << round;
  }
  EXPECT_TRUE(output.DeviceOpen());
  EXPECT_EQ(output.Opens(), 4);
  EXPECT_EQ(heard_.reopened, 3);
}

TEST_F(DeviceRest, CuesStopsAndWakesRacingTheCloseNeverLoseTheDevice) {
  fsound::SdlOutput output({.idle = 15ms, .reopen_budget = 5000ms}, heard_.Report());
  ASSERT_TRUE(output.Start(&mixer_, 22050));
  const fsound::Pcm blip = Tone(100);
  for (int i = 0; i < 300; ++i) {
    bool woke = false;
    mixer_.Play(fsound::Mixer::kFreeChannel, i % 3 ? &blip : &cue_, &woke);
    if (woke) output.Wake();
    if (i % 7 == 0) mixer_.Stop(fsound::Mixer::kAllChannels);
    if (i % 20 == 0) std::this_thread::sleep_for(std::chrono::milliseconds(i % 40));
  }
  // Whatever the order things met in, a cue after them all is heard.
  std::this_thread::sleep_for(40ms);
  const int before = heard_.cues;
  Cue(output, cue_);
  EXPECT_TRUE(Eventually([&] { return heard_.cues > before; }));
  EXPECT_TRUE(Eventually([&] { return !output.DeviceOpen(); }));
  output.Stop();
  output.Stop();
  EXPECT_FALSE(output.DeviceOpen());

  // Stopped while open, and started again.
  ASSERT_TRUE(output.Start(&mixer_, 22050));
  Cue(output, cue_);
  output.Stop();
  EXPECT_FALSE(output.Paused());
}

}  // namespace
}  // namespace tiko::test
