#include "sound/fsound.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdlib>

#include "tests/sound/sound_fixture.h"
#include "tests/sound/wav_bytes.h"

namespace tiko::test {
namespace {

using FsoundTest = SoundFixture;

TEST_F(FsoundTest, LoadedSamplesPlayThroughTheOutputAtTheMixingRate) {
  WavSpec half_rate{1, 1, 11025, 16};
  std::vector<std::uint8_t> data;
  for (int i = 0; i < 100; ++i) Put16(data, 1200);
  WriteBytes("low.wav", MakeWav(half_rate, data));

  ASSERT_TRUE(FSOUND_Init(22050, 64, 0));
  EXPECT_TRUE(capture_->running());
  FSOUND_SAMPLE* s = FSOUND_Sample_Load(FSOUND_UNMANAGED, "low.wav", FSOUND_2D, 0, 0);
  ASSERT_NE(s, nullptr);
  EXPECT_EQ(FSOUND_PlaySound(FSOUND_FREE, s), 0);
  auto out = capture_->Pull(300);
  EXPECT_NEAR(out[0], 1200, 1);
  EXPECT_NEAR(out[2 * 199], 1200, 1);  // 100 frames at 11025 Hz last 200 here
  EXPECT_EQ(out[2 * 200], 0);
}

TEST_F(FsoundTest, BadFilesAndCallsOutOfOrderGiveNothing) {
  WriteBytes("text.wav", {'h', 'e', 'l', 'l', 'o'});
  auto good = LevelWav(100, 10);
  WriteBytes("cut.wav", {good.begin(), good.end() - 3});
  WriteBytes("good.wav", good);

  EXPECT_EQ(FSOUND_Sample_Load(-1, "good.wav", FSOUND_2D, 0, 0), nullptr);  // not started
  ASSERT_TRUE(FSOUND_Init(22050, 64, 0));
  EXPECT_FALSE(FSOUND_Init(22050, 64, 0));
  EXPECT_EQ(FSOUND_Sample_Load(-1, "missing.wav", FSOUND_2D, 0, 0), nullptr);
  EXPECT_EQ(FSOUND_Sample_Load(-1, "text.wav", FSOUND_2D, 0, 0), nullptr);
  EXPECT_EQ(FSOUND_Sample_Load(-1, "cut.wav", FSOUND_2D, 0, 0), nullptr);
  EXPECT_EQ(FSOUND_Sample_Load(-1, nullptr, FSOUND_2D, 0, 0), nullptr);
  std::filesystem::create_directory("folder.wav");
  EXPECT_EQ(FSOUND_Sample_Load(-1, "folder.wav", FSOUND_2D, 0, 0), nullptr);
  ASSERT_EQ(::mkfifo("pipe.wav", 0600), 0);  // no writer ever comes: not waited for
  EXPECT_EQ(FSOUND_Sample_Load(-1, "pipe.wav", FSOUND_2D, 0, 0), nullptr);
  EXPECT_EQ(FSOUND_PlaySound(FSOUND_FREE, nullptr), -1);

  FSOUND_SAMPLE* s = FSOUND_Sample_Load(-1, "good.wav", FSOUND_2D, 0, 0);
  ASSERT_NE(s, nullptr);
  FSOUND_PlaySound(FSOUND_FREE, s);
  FSOUND_Sample_Free(s);
  EXPECT_EQ(FSOUND_PlaySound(FSOUND_FREE, s), -1);  // freed: not touched again
  FSOUND_Sample_Free(s);
  EXPECT_EQ(capture_->Pull(4), std::vector<std::int16_t>(8, 0));
  EXPECT_EQ(calls_.back(), "FSOUND_Sample_Free(unknown)");
}

TEST_F(FsoundTest, WithoutADeviceEverythingGoesOnSilently) {
  capture_ = std::make_shared<fsound::CaptureOutput>(/*opens=*/false);
  WriteBytes("good.wav", LevelWav(100, 10));
  ASSERT_TRUE(FSOUND_Init(22050, 64, 0));
  EXPECT_TRUE(FSOUND_SetOutput(FSOUND_OUTPUT_DSOUND));
  FSOUND_SAMPLE* s = FSOUND_Sample_Load(-1, "good.wav", FSOUND_2D, 0, 0);
  ASSERT_NE(s, nullptr);
  FSOUND_PlaySound(FSOUND_FREE, s);
  FSOUND_StopSound(FSOUND_ALL);
  FSOUND_Sample_Free(s);
  FSOUND_Close();
}

TEST_F(FsoundTest, OutputCodesOpenAndCloseTheDevice) {
  ASSERT_TRUE(FSOUND_SetOutput(FSOUND_OUTPUT_NOSOUND));
  ASSERT_TRUE(FSOUND_Init(22050, 64, 0));
  EXPECT_FALSE(capture_->running());
  FSOUND_SetOutput(FSOUND_OUTPUT_WINMM);
  EXPECT_TRUE(capture_->running());
  FSOUND_SetOutput(FSOUND_OUTPUT_DSOUND);
  EXPECT_TRUE(capture_->running());
  EXPECT_FALSE(FSOUND_SetOutput(7));
  FSOUND_Close();
  EXPECT_FALSE(capture_->running());
}

// The real device path on a machine where no sound device opens: no message
// of ours, SDL's or ALSA's, and the library still runs.
void ExpectSilentWithoutDevice() {
  WriteBytes("good.wav", LevelWav(100, 10));
  ::testing::internal::CaptureStderr();
  ::testing::internal::CaptureStdout();
  EXPECT_TRUE(FSOUND_Init(22050, 64, 0));
  FSOUND_SetOutput(FSOUND_OUTPUT_DSOUND);
  FSOUND_SAMPLE* s = FSOUND_Sample_Load(-1, "good.wav", FSOUND_2D, 0, 0);
  EXPECT_NE(s, nullptr);
  FSOUND_PlaySound(FSOUND_FREE, s);
  FSOUND_Close();
  EXPECT_EQ(::testing::internal::GetCapturedStdout(), "");
  EXPECT_EQ(::testing::internal::GetCapturedStderr(), "");
}

TEST_F(FsoundTest, NoSoundDriverIsSilent) {
  fsound::SetOutputFactory(nullptr);
  ::setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
  ExpectSilentWithoutDevice();
  ::setenv("SDL_AUDIODRIVER", "dummy", 1);
}

TEST_F(FsoundTest, NoSoundCardIsSilent) {
  fsound::SetOutputFactory(nullptr);
  ::setenv("SDL_AUDIODRIVER", "alsa", 1);
  ::setenv("AUDIODEV", "tiko_no_such_card", 1);  // ALSA reports this at length
  ExpectSilentWithoutDevice();
  ::unsetenv("AUDIODEV");
  ::setenv("SDL_AUDIODRIVER", "dummy", 1);
}

TEST_F(FsoundTest, SdlDummyDriverOpensPlaysAndCloses) {
  fsound::SetOutputFactory(nullptr);
  ::setenv("SDL_AUDIODRIVER", "dummy", 1);
  WriteBytes("good.wav", LevelWav(100, 10));
  ASSERT_TRUE(FSOUND_Init(22050, 64, 0));
  FSOUND_SAMPLE* s = FSOUND_Sample_Load(-1, "good.wav", FSOUND_2D, 0, 0);
  EXPECT_GE(FSOUND_PlaySound(FSOUND_FREE, s), 0);
  FSOUND_SetOutput(FSOUND_OUTPUT_NOSOUND);
  FSOUND_SetOutput(FSOUND_OUTPUT_WINMM);
  FSOUND_Close();
}

}  // namespace
}  // namespace tiko::test
