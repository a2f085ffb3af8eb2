// The sound device through SDL's dummy driver, whose thread pulls buffers as a
// real device's does: it pauses once nothing plays and the next cue resumes it.
// Under ThreadSanitizer this is where the game thread and the device thread meet.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <functional>
#include <thread>

#include "sound/mixer.h"
#include "sound/sdl_output.h"

namespace tiko::testing {
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

TEST(DeviceSleep, PausesWhenSilentAndEachCueResumesIt) {
  ::setenv("SDL_AUDIODRIVER", "dummy", 1);
  fsound::Mixer mixer(64);
  fsound::SdlOutput output;
  ASSERT_TRUE(output.Start(&mixer, 22050));
  EXPECT_TRUE(Eventually([&] { return output.Paused(); }));

  // A cue of a quarter second: played, then the device rests again.
  const fsound::Pcm cue = Tone(5512);
  for (int round = 0; round < 5; ++round) {
    bool woke = false;
    EXPECT_GE(mixer.Play(fsound::Mixer::kFreeChannel, &cue, &woke), 0);
    EXPECT_TRUE(woke);
    output.Wake();
    EXPECT_FALSE(output.Paused());
    EXPECT_TRUE(Eventually([&] { return output.Paused(); })) << "round " << round;
  }

  // Cues, stops and wakes while the device thread mixes; every start after
  // silence must leave the device running until the cue has played.
  const fsound::Pcm blip = Tone(100);
  for (int i = 0; i < 200; ++i) {
    bool woke = false;
    mixer.Play(fsound::Mixer::kFreeChannel, i % 3 ? &blip : &cue, &woke);
    if (woke) output.Wake();
    if (i % 7 == 0) mixer.Stop(fsound::Mixer::kAllChannels);
    if (i % 50 == 0) std::this_thread::sleep_for(30ms);
  }
  mixer.Stop(fsound::Mixer::kAllChannels);
  EXPECT_TRUE(Eventually([&] { return output.Paused(); }));
  output.Stop();
  EXPECT_FALSE(output.Paused());
}

}  // namespace
}  // namespace tiko::testing
