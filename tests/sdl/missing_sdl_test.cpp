// Without a usable SDL2 the game plays silently and has no controllers: it
// says why once, keeps the player's choice and never touches SDL.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "sdl/sdl_library.h"
#include "sound/fsound_hooks.h"
#include "sound/sdl_output.h"
#include "sound/sound_system.h"
#include "tests/sound/wav_bytes.h"
#include "tests/support/memory_store.h"

#ifdef TIKO_WITH_GAMEPADS
#include <QCoreApplication>

#include "input/gamepad/gamepads.h"
#endif

namespace tiko {
namespace {

constexpr const char* kMissing = "/nonexistent/libSDL2-2.0.so.0";

bool Has(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

TEST(SdlLoadTest, AFileMissingOrNotSdlIsNamedWithTheLoadersWords) {
  const sdl::Library missing(kMissing);
  EXPECT_EQ(missing.api(), nullptr);
  EXPECT_TRUE(Has(missing.error(),
                  std::string("the SDL2 library ") + kMissing + " cannot be loaded (" + kMissing))
      << missing.error();
  EXPECT_TRUE(Has(missing.error(), "No such file")) << missing.error();

  // A shared library that is not SDL: the first function it lacks is named.
  const sdl::Library wrong("libm.so.6");
  EXPECT_EQ(wrong.api(), nullptr);
  EXPECT_TRUE(Has(wrong.error(), "the SDL2 library libm.so.6 cannot be used (")) << wrong.error();
  EXPECT_TRUE(Has(wrong.error(), "undefined symbol: SDL_GetError")) << wrong.error();
}

class RecordingHost : public SoundHost {
 public:
  void ShowError(const std::string& m) override { errors.push_back(m); }
  void RequestTerminate() override { terminated = true; }
  std::vector<std::string> errors;
  bool terminated = false;
};

// The program's own loader, pointed at a missing file by main.
TEST(SdlLoadTest, SoundPlaysSilentlyAndSaysWhyOnceAndControllersAreNone) {
  const std::filesystem::path dir =
      std::filesystem::temp_directory_path() / ("tiko-no-sdl-" + std::to_string(::getpid()));
  for (std::string_view file : kSoundFiles) test::WriteBytes(dir / file, test::LevelWav(1000, 500));

  // The splash's description of an output says it, without telling it.
  EXPECT_TRUE(Has(fsound::SdlOutput::Describe(),
                  std::string("no sound: the SDL2 library ") + kMissing + " cannot be loaded"));

  test::MemoryStore store;
  store.values["SoundMode"] = "2";
  RecordingHost host;
  SoundSystem sound(&store, &host, dir);
  EXPECT_TRUE(sound.Snd_Open_Output(SoundOutput::kDirectSound));
  ASSERT_EQ(host.errors.size(), 1u);
  EXPECT_TRUE(Has(host.errors[0],
                  std::string("No sound: the SDL2 library ") + kMissing + " cannot be loaded ("))
      << host.errors[0];
  EXPECT_TRUE(Has(host.errors[0], "The game plays silently.")) << host.errors[0];
  EXPECT_FALSE(host.terminated);
  // The choice is kept: with SDL back, the next run plays.
  EXPECT_EQ(store.writes, std::vector<std::string>{"SoundMode=0"});
  sound.Snd_Play(SoundId::snd_Start1);
  sound.Snd_Silence();
  sound.Snd_Close_Output();

#ifdef TIKO_WITH_GAMEPADS
  // Controllers said to be there find no SDL: none, and nothing said twice.
  Gamepads pads([](Control, bool) {}, [](Control) {}, [] {});
  pads.AssumeDevices();
  ::testing::internal::CaptureStderr();
  EXPECT_FALSE(pads.Start());
  EXPECT_EQ(::testing::internal::GetCapturedStderr(), "");
  EXPECT_FALSE(pads.Connected());
  EXPECT_EQ(pads.PollInterval(), 0);
  pads.Poll();
#endif
  std::filesystem::remove_all(dir);
}

}  // namespace
}  // namespace tiko

int main(int argc, char** argv) {
  setenv("TIKO_SDL_LIBRARY", tiko::kMissing, 1);
#ifdef TIKO_WITH_GAMEPADS
  QCoreApplication app(argc, argv);
#endif
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
