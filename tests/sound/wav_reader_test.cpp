#include "sound/wav_reader.h"

#include <gtest/gtest.h>

#include "sound/rate_convert.h"
#include "tests/sound/wav_bytes.h"

namespace tiko::fsound {
namespace {

using test::MakeWav;
using test::WavSpec;

TEST(WavReader, DecodesEachPcmLayout) {
  auto mono16 = ParseWav(MakeWav({}, {0x34, 0x12, 0xFF, 0xFF}));
  ASSERT_TRUE(mono16);
  EXPECT_EQ(mono16->channels, 1);
  EXPECT_EQ(mono16->rate, 22050);
  EXPECT_EQ(mono16->data, (std::vector<std::int16_t>{0x1234, -1}));

  auto stereo8 = ParseWav(MakeWav({1, 2, 8000, 8}, {0, 255, 128, 129}));
  ASSERT_TRUE(stereo8);
  EXPECT_EQ(stereo8->channels, 2);
  EXPECT_EQ(stereo8->Frames(), 2u);
  EXPECT_EQ(stereo8->data, (std::vector<std::int16_t>{-32768, 32512, 0, 256}));
}

TEST(WavReader, SkipsOtherChunksWithTheirPadding) {
  std::vector<std::uint8_t> list = {'L', 'I', 'S', 'T', 3, 0, 0, 0, 'a', 'b', 'c', 0};
  auto pcm = ParseWav(MakeWav({}, {1, 0}, list));
  ASSERT_TRUE(pcm);
  EXPECT_EQ(pcm->data, std::vector<std::int16_t>{1});
}

TEST(WavReader, RefusesDamagedOrForeignFiles) {
  std::vector<std::uint8_t> good = MakeWav({}, {1, 0, 2, 0, 3, 0});
  ASSERT_TRUE(ParseWav(good));

  // Cut anywhere, the file loses its data chunk's tail or more.
  for (std::size_t n = 0; n < good.size(); ++n)
    EXPECT_FALSE(ParseWav({good.data(), n})) << "cut to " << n << " bytes";

  EXPECT_FALSE(ParseWav(std::vector<std::uint8_t>(64, 0)));
  EXPECT_FALSE(ParseWav(MakeWav({3, 1, 22050, 16}, {0, 0})));     // float samples
  EXPECT_FALSE(ParseWav(MakeWav({1, 3, 22050, 16}, {0, 0})));     // three channels
  EXPECT_FALSE(ParseWav(MakeWav({1, 1, 22050, 24}, {0, 0, 0})));  // 24 bit
  EXPECT_FALSE(ParseWav(MakeWav({1, 1, 0, 16}, {0, 0})));         // no rate
  EXPECT_FALSE(ParseWav(MakeWav({1, 1, 22050, 16}, {})));         // no frames

  std::vector<std::uint8_t> huge_chunk = good;
  huge_chunk[good.size() - 10] = 0xFF;  // data size high byte
  EXPECT_FALSE(ParseWav(huge_chunk));
}

TEST(RateConvert, KeepsLevelAndDurationAtAnyRate) {
  Pcm in;
  in.rate = 44100;
  in.data.assign(44100, 1000);
  for (int rate : {11025, 22050, 48000}) {
    auto out = ConvertRate(in, rate);
    ASSERT_TRUE(out) << rate;
    EXPECT_EQ(out->Frames(), static_cast<std::size_t>(rate));
    for (std::int16_t v : out->data) ASSERT_EQ(v, 1000) << rate;
  }
}

TEST(RateConvert, LoweringTheRateAveragesAwayTonesItCannotHold) {
  // The highest tone 44100 Hz can hold (+-, +-, ...) has no place at 22050 Hz.
  Pcm in;
  in.rate = 44100;
  for (int i = 0; i < 4410; ++i) in.data.push_back(i % 2 ? -8000 : 8000);
  auto out = ConvertRate(in, 22050);
  ASSERT_TRUE(out);
  for (std::int16_t v : out->data) ASSERT_EQ(v, 0);
}

TEST(RateConvert, RaisingTheRateInterpolatesStereoChannelsApart) {
  Pcm in;
  in.channels = 2;
  in.rate = 11025;
  in.data = {0, 100, 1000, -100};
  auto out = ConvertRate(in, 22050);
  ASSERT_TRUE(out);
  EXPECT_EQ(out->data, (std::vector<std::int16_t>{0, 100, 500, 0, 1000, -100, 1000, -100}));
}

}  // namespace
}  // namespace tiko::fsound
