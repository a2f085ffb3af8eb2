#include "sound/mixer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

namespace tiko::fsound {
namespace {

Pcm Level(std::int16_t value, int frames) {
  Pcm p;
  p.rate = 22050;
  p.data.assign(static_cast<std::size_t>(frames), value);
  return p;
}

std::vector<std::int16_t> Pull(Mixer& m, int frames) {
  std::vector<std::int16_t> out(2 * static_cast<std::size_t>(frames));
  m.Mix(out.data(), frames);
  return out;
}

TEST(Mixer, CuesStartedTogetherSoundTogetherUntilEachEnds) {
  Mixer m(64);
  Pcm a = Level(1000, 100);
  Pcm b = Level(2000, 50);
  EXPECT_EQ(m.Play(Mixer::kFreeChannel, &a), 0);
  EXPECT_EQ(m.Play(Mixer::kFreeChannel, &b), 1);
  auto out = Pull(m, 150);
  EXPECT_NEAR(out[0], 3000, 1);       // both, left
  EXPECT_EQ(out[99], out[0]);         // both, right of frame 49
  EXPECT_NEAR(out[2 * 50], 1000, 1);  // b has ended
  EXPECT_EQ(out[2 * 100], 0);         // both have ended
}

TEST(Mixer, StopAllFadesOutAndThenIsSilent) {
  Mixer m(64);
  Pcm a = Level(8000, 22050);
  Pcm b = Level(-3000, 22050);
  m.Play(Mixer::kFreeChannel, &a);
  m.Play(Mixer::kFreeChannel, &b);
  Pull(m, 100);
  EXPECT_TRUE(m.Stop(Mixer::kAllChannels));
  auto out = Pull(m, 2000);
  // A short fade, never louder than before, then nothing at all.
  for (int i = 0; i < Mixer::kFadeFrames; ++i) EXPECT_LE(out[2 * i], 5000);
  EXPECT_TRUE(std::all_of(out.begin() + 2 * Mixer::kFadeFrames, out.end(),
                          [](std::int16_t v) { return v == 0; }));
  // The channels are free again.
  EXPECT_EQ(m.Play(Mixer::kFreeChannel, &a), 0);
}

TEST(Mixer, SleepsAfterAWholePassOfSilenceAndACueWakesIt) {
  Mixer m(64);
  std::vector<std::int16_t> out(2 * 256, 7);
  EXPECT_FALSE(m.Mix(out.data(), 256));  // nothing played yet
  EXPECT_TRUE(std::all_of(out.begin(), out.end(), [](std::int16_t v) { return v == 0; }));
  Pcm a = Level(1000, 300);
  bool woke = false;
  m.Play(Mixer::kFreeChannel, &a, &woke);
  EXPECT_TRUE(woke);
  m.Play(Mixer::kFreeChannel, &a, &woke);
  EXPECT_FALSE(woke);  // already awake
  EXPECT_TRUE(m.Mix(out.data(), 256));
  // The cue ends inside this pass: it still counts as sound, so whoever
  // pauses on silence only does so after a pass that was all silence.
  EXPECT_TRUE(m.Mix(out.data(), 256));
  EXPECT_NE(out[0], 0);
  EXPECT_FALSE(m.Mix(out.data(), 256));
  // A stopped cue fades, then sleeps too.
  m.Play(Mixer::kFreeChannel, &a, &woke);
  EXPECT_TRUE(woke);
  m.Stop(Mixer::kAllChannels);
  EXPECT_TRUE(m.Mix(out.data(), 16));
  EXPECT_TRUE(m.Mix(out.data(), 256));
  EXPECT_FALSE(m.Mix(out.data(), 16));
  m.Play(Mixer::kFreeChannel, &a, &woke);
  EXPECT_TRUE(woke);
}

TEST(Mixer, AFullMixerReusesTheChannelPlayingLongest) {
  Mixer m(64);
  std::vector<Pcm> samples;
  for (int i = 0; i < 65; ++i) samples.push_back(Level(10, 1000));
  for (int i = 0; i < 64; ++i) m.Play(Mixer::kFreeChannel, &samples[i]);
  m.Play(5, &samples[5]);  // restarted: now the youngest on channel 5
  EXPECT_EQ(m.Play(Mixer::kFreeChannel, &samples[64]), 0);
  EXPECT_EQ(m.Play(Mixer::kFreeChannel, &samples[64]), 1);
  EXPECT_EQ(m.Play(64, &samples[0]), -1);
  EXPECT_FALSE(m.Stop(64));
}

TEST(Mixer, ManyLoudChannelsAreLimitedWithoutHardClipping) {
  Mixer m(64);
  // 64 channels of a full-scale 441 Hz square: 64 times what fits.
  Pcm square;
  square.rate = 22050;
  for (int i = 0; i < 22050; ++i) square.data.push_back((i / 25) % 2 ? -32767 : 32767);
  for (int i = 0; i < 64; ++i) m.Play(Mixer::kFreeChannel, &square);
  auto out = Pull(m, 22050);
  for (std::size_t i = 0; i < out.size(); ++i)
    ASSERT_LT(std::abs(out[i]), 32767) << i;  // never pinned at full scale
  // Once the limiter has settled the square comes out as a square at a sane level.
  EXPECT_NEAR(out[2 * 20000], 0.78 * 32767, 400);
}

TEST(Mixer, ForgetCutsASampleAtOnce) {
  Mixer m(4);
  Pcm a = Level(1000, 1000);
  Pcm b = Level(500, 1000);
  m.Play(Mixer::kFreeChannel, &a);
  m.Play(Mixer::kFreeChannel, &b);
  m.Forget(&a);
  auto out = Pull(m, 10);
  EXPECT_NEAR(out[0], 500, 1);
}

}  // namespace
}  // namespace tiko::fsound
