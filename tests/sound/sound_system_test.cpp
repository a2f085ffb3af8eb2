#include "sound/sound_system.h"

#include <gtest/gtest.h>

#include <map>

#include "sound/mixer.h"
#include "tests/sound/sound_fixture.h"
#include "tests/sound/wav_bytes.h"
#include "tests/support/memory_store.h"

namespace tiko {
namespace {

using test::LevelWav;
using test::MemoryStore;
using test::WriteBytes;

class RecordingHost : public SoundHost {
 public:
  void ShowError(const std::string& m) override { events.push_back("error: " + m); }
  void RequestTerminate() override { events.push_back("terminate"); }
  std::vector<std::string> events;
};

class SoundSystemTest : public test::SoundFixture {
 protected:
  // Each cue a flat level of its own, so the mix tells which ones sound.
  void WriteSamples(bool with_step = true) {
    for (int i = 0; i < kSoundCount; ++i)
      if (with_step || i != static_cast<int>(SoundId::snd_Step))
        WriteBytes(std::string(kSoundFiles[i]),
                   LevelWav(static_cast<std::int16_t>(100 * (i + 1)), 500));
  }

  std::vector<std::string> OpenCalls(int output_code) {
    std::vector<std::string> c = {"FSOUND_Init(22050, 64, 0)",
                                  "FSOUND_SetOutput(" + std::to_string(output_code) + ")"};
    for (auto f : kSoundFiles)
      c.push_back("FSOUND_Sample_Load(-1, " + std::string(f) + ", 8192, 0, 0)");
    return c;
  }

  MemoryStore store_;
  RecordingHost host_;
  SoundSystem sound_{&store_, &host_};
};

TEST_F(SoundSystemTest, NoSoundMakesNoLibraryCallUntilTheReleaseAtClose) {
  sound_.Snd_Play(SoundId::snd_Crow);  // before the splash is confirmed
  sound_.Snd_Silence();
  EXPECT_TRUE(sound_.Snd_Open_Output(SoundOutput::kNone));
  EXPECT_FALSE(sound_.sound_on());
  sound_.Snd_Play(SoundId::snd_Start1);
  sound_.Snd_Silence();
  EXPECT_TRUE(calls_.empty());
  EXPECT_EQ(store_.writes, std::vector<std::string>{"SoundMode=2"});

  sound_.Snd_Close_Output();
  ASSERT_EQ(calls_.size(), 19u);
  for (int i = 0; i < kSoundCount; ++i) EXPECT_EQ(calls_[i], "FSOUND_Sample_Free(null)");
  EXPECT_EQ(calls_.back(), "FSOUND_Close()");
}

TEST_F(SoundSystemTest, EachOutputEntryStartsTheLibraryInOrder) {
  WriteSamples();
  EXPECT_TRUE(sound_.Snd_Open_Output(SoundOutput::kDirectSound));
  EXPECT_TRUE(sound_.sound_on());
  EXPECT_EQ(calls_, OpenCalls(2));
  EXPECT_EQ(store_.writes, std::vector<std::string>{"SoundMode=0"});
  EXPECT_TRUE(host_.events.empty());

  sound_.Snd_Close_Output();
  calls_.clear();
  store_.writes.clear();
  SoundSystem second(&store_, &host_);
  EXPECT_TRUE(second.Snd_Open_Output(SoundOutput::kMultiMedia));
  EXPECT_EQ(calls_, OpenCalls(1));
  EXPECT_EQ(store_.writes, std::vector<std::string>{"SoundMode=1"});
  second.Snd_Close_Output();
}

TEST_F(SoundSystemTest, NoChoiceChoosesNothing) {
  EXPECT_TRUE(sound_.Snd_Open_Output(std::nullopt));
  EXPECT_FALSE(sound_.sound_on());
  EXPECT_TRUE(calls_.empty());
  EXPECT_TRUE(store_.writes.empty());
}

TEST_F(SoundSystemTest, CuesPlayTogetherAndSilenceStopsThemAll) {
  WriteSamples();
  ASSERT_TRUE(sound_.Snd_Open_Output(SoundOutput::kDirectSound));
  calls_.clear();
  // One tick: the crow's beep and a step.
  sound_.Snd_Play(SoundId::snd_Crow);  // level 600
  sound_.Snd_Play(SoundId::snd_Step);  // level 1800
  auto out = capture_->Pull(100);
  EXPECT_NEAR(out[0], 2400, 1);
  EXPECT_NEAR(out[199], 2400, 1);

  sound_.Snd_Silence();
  EXPECT_EQ(calls_, (std::vector<std::string>{"FSOUND_PlaySound(-1, Sound/Crow.wav)",
                                              "FSOUND_PlaySound(-1, Sound/Step.wav)",
                                              "FSOUND_StopSound(-3)"}));
  out = capture_->Pull(400);
  for (std::size_t i = 2 * fsound::Mixer::kFadeFrames; i < out.size(); ++i)
    ASSERT_EQ(out[i], 0) << i;
}

TEST_F(SoundSystemTest, CloseFreesAllEighteenInTableOrderThenCloses) {
  WriteSamples(/*with_step=*/false);
  ASSERT_TRUE(sound_.Snd_Open_Output(SoundOutput::kDirectSound));
  sound_.Snd_Play(SoundId::snd_Flying);
  calls_.clear();
  sound_.Snd_Close_Output();
  ASSERT_EQ(calls_.size(), 19u);
  for (int i = 0; i < kSoundCount - 1; ++i)
    EXPECT_EQ(calls_[i], "FSOUND_Sample_Free(" + std::string(kSoundFiles[i]) + ")");
  EXPECT_EQ(calls_[17], "FSOUND_Sample_Free(null)");
  EXPECT_EQ(calls_[18], "FSOUND_Close()");
  EXPECT_FALSE(capture_->running());
  // A cue after the release reaches nothing.
  calls_.clear();
  sound_.Snd_Play(SoundId::snd_Flying);
  EXPECT_TRUE(calls_.empty());
}

TEST_F(SoundSystemTest, WithoutStepWavStepsAreSilentAndTheRestPlays) {
  WriteSamples(/*with_step=*/false);
  ASSERT_TRUE(sound_.Snd_Open_Output(SoundOutput::kMultiMedia));
  EXPECT_TRUE(host_.events.empty());
  EXPECT_EQ(sound_.handle(SoundId::snd_Step), nullptr);
  sound_.Snd_Play(SoundId::snd_Step);
  EXPECT_EQ(capture_->Pull(10), std::vector<std::int16_t>(20, 0));
  sound_.Snd_Play(SoundId::snd_Point);  // level 1500
  EXPECT_NEAR(capture_->Pull(10)[0], 1500, 1);
}

TEST_F(SoundSystemTest, OnlyTheFirstSampleStandsForTheSoundFolder) {
  WriteBytes("Sound/Bonus1.wav", LevelWav(100, 10));
  EXPECT_TRUE(sound_.Snd_Open_Output(SoundOutput::kDirectSound));
  EXPECT_TRUE(host_.events.empty());
  EXPECT_EQ(store_.writes, std::vector<std::string>{"SoundMode=0"});
}

TEST_F(SoundSystemTest, AMissingSoundFolderIsReportedAndTheStartAbandoned) {
  WriteSamples();
  std::filesystem::remove("Sound/Bonus1.wav");
  EXPECT_FALSE(sound_.Snd_Open_Output(SoundOutput::kDirectSound));
  EXPECT_EQ(calls_, OpenCalls(2));  // every load is tried first
  EXPECT_EQ(
      host_.events,
      (std::vector<std::string>{
          "error: Sound folder unproperly installed. Please reinstall the game.", "terminate"}));
  EXPECT_EQ(store_.writes,
            (std::vector<std::string>{"SoundMode=0", "SoundMode=-1", "SplashScreen=1"}));
}

// 8-bit mono at 11025 Hz: `megabytes` MB once brought to 16 bits at 22050 Hz.
std::vector<std::uint8_t> LargeWav(int megabytes) {
  const std::vector<std::uint8_t> data(static_cast<std::size_t>(megabytes) << 18, 0x90);
  return test::MakeWav({1, 1, 11025, 8}, data);
}

// Samples past 64 MB in all stay silent and the first is named once; later
// ones that still fit load, and a first sample beyond it is no missing folder.
TEST_F(SoundSystemTest, SamplesBeyondTheirBudgetStaySilentAndTheFirstIsNamed) {
  WriteSamples();
  for (int i : {1, 2, 3}) WriteBytes(std::string(kSoundFiles[i]), LargeWav(24));
  ASSERT_TRUE(sound_.Snd_Open_Output(SoundOutput::kDirectSound));
  EXPECT_NE(sound_.handle(SoundId::snd_Bonus3), nullptr);
  EXPECT_EQ(sound_.handle(SoundId::snd_Chance), nullptr);
  EXPECT_NE(sound_.handle(SoundId::snd_Step), nullptr);
  ASSERT_EQ(host_.events.size(), 1u);
  EXPECT_NE(host_.events[0].find("\"Sound/Chance.wav\""), std::string::npos) << host_.events[0];
  sound_.Snd_Play(SoundId::snd_Chance);
  EXPECT_EQ(capture_->Pull(10), std::vector<std::int16_t>(20, 0));
  sound_.Snd_Play(SoundId::snd_Point);
  EXPECT_NEAR(capture_->Pull(10)[0], 1500, 1);
  sound_.Snd_Close_Output();

  host_.events.clear();
  WriteBytes(std::string(kSoundFiles[0]), LargeWav(65));
  SoundSystem again{&store_, &host_};
  ASSERT_TRUE(again.Snd_Open_Output(SoundOutput::kDirectSound));
  EXPECT_EQ(again.handle(SoundId::snd_Bonus1), nullptr);
  ASSERT_EQ(host_.events.size(), 1u);
  EXPECT_NE(host_.events[0].find("\"Sound/Bonus1.wav\""), std::string::npos) << host_.events[0];
  again.Snd_Close_Output();
}

// The samples come from the data folder, not from the working folder.
TEST_F(SoundSystemTest, SamplesAreReadFromTheDataFolder) {
  WriteSamples();
  std::filesystem::create_directory(dir_ / "elsewhere");
  std::filesystem::current_path(dir_ / "elsewhere");
  SoundSystem sound(&store_, &host_, dir_);
  EXPECT_TRUE(sound.Snd_Open_Output(SoundOutput::kMultiMedia));
  EXPECT_TRUE(host_.events.empty());
  sound.Snd_Play(SoundId::snd_Point);  // level 1500
  EXPECT_NEAR(capture_->Pull(10)[0], 1500, 1);
  sound.Snd_Close_Output();
}

}  // namespace
}  // namespace tiko
