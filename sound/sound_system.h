// The unit's sound cues: the 18 loaded samples, the switch `sound_on`, the
// cue operations the engine calls, the one-time start of the output and the
// release at close.
#pragma once

#include <array>
#include <filesystem>
#include <string>

#include "engine/ports.h"
#include "engine/sound_id.h"
#include "sound/fsound.h"
#include "sound/sound_host.h"

namespace tiko {

// The entries of the splash window's output list, in list order.
inline constexpr const char* kOutputDirectSound = "Microsoft DirectSound";
inline constexpr const char* kOutputMultiMedia = "Windows MultiMedia";
inline constexpr const char* kOutputNone = "(no sound)";

inline constexpr const char* kSoundFolderMessage =
    "Sound folder unproperly installed. Please reinstall the game.";

class SoundSystem : public CueSink {
 public:
  // The samples are read from "Sound/" in data_dir (the working directory when empty).
  SoundSystem(SettingsStore* store, SoundHost* host, std::filesystem::path data_dir = {})
      : store_(store), host_(host), data_dir_(std::move(data_dir)) {}

  // Maps the chosen list entry to `sound_on`, stores SoundMode and, for a real
  // output, starts the library and loads the samples. False when the first
  // sample is missing: the error is shown and the program asked to end.
  bool Snd_Open_Output(const std::string& entry);

  void Snd_Play(SoundId id) override;
  void Snd_Silence() override;
  // Frees every sample, loaded or not, in table order, then closes the library.
  void Snd_Close_Output();

  bool sound_on() const { return sound_on_; }
  FSOUND_SAMPLE* handle(SoundId id) const { return handles_[static_cast<int>(id)]; }

 private:
  SettingsStore* store_;
  SoundHost* host_;
  std::filesystem::path data_dir_;
  bool sound_on_ = false;
  // snd_Bonus1 .. snd_Step: null while not loaded or when loading failed.
  std::array<FSOUND_SAMPLE*, kSoundCount> handles_{};
};

}  // namespace tiko
