#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <stdexcept>

#include "engine/sound_id.h"
#include "sound/wav_reader.h"
#include "tools/sound_gen/cue.h"
#include "tools/sound_gen/synth.h"
#include "tools/sound_gen/wav_writer.h"

namespace tiko::soundgen {
namespace {

TEST(CueNotation, NamesPitchesAndDurations) {
  EXPECT_DOUBLE_EQ(PitchHz("A4"), 440.0);
  EXPECT_NEAR(PitchHz("C4"), 261.63, 0.01);
  EXPECT_DOUBLE_EQ(PitchHz("C#6"), PitchHz("Db6"));
  EXPECT_DOUBLE_EQ(PitchHz("A5"), 880.0);
  EXPECT_DOUBLE_EQ(PitchHz("1000hz"), 1000.0);
  EXPECT_EQ(PitchHz("r"), 0.0);

  Cue cue = ParseCue("# a comment\nbeat 100\ngap 10 # staccato\nC6:1 r:0.5  A4>A5:2\n");
  ASSERT_EQ(cue.notes.size(), 3u);
  EXPECT_DOUBLE_EQ(cue.notes[1].ms, 50);
  EXPECT_DOUBLE_EQ(cue.notes[2].to_hz, 880.0);
  EXPECT_DOUBLE_EQ(cue.LengthMs(), 350);
  EXPECT_DOUBLE_EQ(cue.gap_ms, 10);
}

TEST(CueNotation, MistakesNameTheirLine) {
  for (const char* bad : {"C6:1\nH2:1", "C6:1\nC6", "C6:x", "volume", "r:1>C6:1", "",
                          "length 10 20\nC6:30", "C6:0", "volume 2\nC6:1"}) {
    EXPECT_THROW(ParseCue(bad), std::runtime_error) << bad;
  }
  try {
    ParseCue("C6:1\n\nQ6:1\n");
  } catch (const std::runtime_error& e) {
    EXPECT_EQ(std::string(e.what()).rfind("line 3:", 0), 0u) << e.what();
  }
}

TEST(Synth, NotesStartAndEndWithoutAClick) {
  Cue cue = ParseCue("volume 0.5\ngap 20\nE6:100 C6:100");
  auto wave = Render(cue);
  ASSERT_EQ(wave.size(), 4410u);
  // Each note's first sample, the gap and the very end sit at rest.
  for (std::size_t i : {std::size_t{0}, std::size_t{2205}, std::size_t{4409}})
    EXPECT_EQ(wave[i], 0) << i;
  for (std::size_t i = 2205 - 20 * 22; i < 2205; ++i) ASSERT_EQ(wave[i], 0) << i;
  // The first and last millisecond of a note only ramp up and down.
  for (std::size_t i = 0; i < 11; ++i) {
    EXPECT_LT(std::abs(int{wave[i]}), 0.5 * 32767 * i / 11.0 + 1) << i;
    EXPECT_LT(std::abs(int{wave[4409 - i]}), 0.5 * 32767 * i / 11.0 + 1) << i;
  }
  int peak = 0;
  for (std::int16_t v : wave) peak = std::max(peak, std::abs(int{v}));
  EXPECT_GT(peak, 0.45 * 32767);
  EXPECT_LT(peak, 0.6 * 32767);
}

TEST(Synth, EncodedFilesReadBackUnchanged) {
  std::vector<std::int16_t> wave = {0, 1, -1, 32767, -32768};
  auto pcm = fsound::ParseWav(EncodeWav(wave, kRate));
  ASSERT_TRUE(pcm);
  EXPECT_EQ(pcm->rate, kRate);
  EXPECT_EQ(pcm->data, wave);
}

// The shipped samples, as the build rendered them: all there, all loadable.
TEST(ShippedSamples, EveryCueIsAValidSample) {
  for (auto file : kSoundFiles) {
    std::ifstream in(std::filesystem::path(TIKO_BIN_DIR) / file, std::ios::binary);
    ASSERT_TRUE(in) << file;
    std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(in)), {});
    auto pcm = fsound::ParseWav(bytes);
    ASSERT_TRUE(pcm) << file;
    EXPECT_EQ(pcm->rate, kRate);
    EXPECT_EQ(pcm->channels, 1);
    EXPECT_EQ(pcm->data.front(), 0) << file;
    EXPECT_EQ(pcm->data.back(), 0) << file;
  }
}

}  // namespace
}  // namespace tiko::soundgen
