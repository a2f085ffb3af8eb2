// The unit's sound cues: the 18 loaded samples, the switch `sound_on`, the
// cue operations the engine calls, the one-time start of the output and the
// release at close.
#pragma once

#include <array>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "engine/ports.h"
#include "engine/sound_id.h"
#include "sound/fsound.h"
#include "sound/sound_host.h"
#include "sound/sound_outputs.h"

namespace tiko {

inline constexpr const char* kSoundFolderMessage =
    "Sound folder unproperly installed. Please reinstall the game.";

class SoundSystem : public CueSink {
 public:
  // The samples are read from "Sound/" in data_dir (the working directory when empty).
  SoundSystem(SettingsStore* store, SoundHost* host, std::filesystem::path data_dir = {})
      : store_(store), host_(host), data_dirs_{std::move(data_dir)} {}
  // Each sample from the first of the folders that has it.
  SoundSystem(SettingsStore* store, SoundHost* host, std::vector<std::filesystem::path> data_dirs)
      : store_(store), host_(host), data_dirs_(std::move(data_dirs)) {}

  // Sets `sound_on` from the chosen output, stores SoundMode and, for a real
  // output, starts the library and loads the samples. No choice changes
  // nothing. False when the first sample is missing: the error is shown and
  // the program asked to end.
  bool Snd_Open_Output(std::optional<SoundOutput> output);

  void Snd_Play(SoundId id) override;
  void Snd_Silence() override;
  // Frees every sample, loaded or not, in table order, then closes the library.
  void Snd_Close_Output();

  bool sound_on() const { return sound_on_; }
  FSOUND_SAMPLE* handle(SoundId id) const { return handles_[static_cast<int>(id)]; }

 private:
  SettingsStore* store_;
  SoundHost* host_;
  std::vector<std::filesystem::path> data_dirs_;
  bool sound_on_ = false;
  // snd_Bonus1 .. snd_Step: null while not loaded or when loading failed.
  std::array<FSOUND_SAMPLE*, kSoundCount> handles_{};
};

}  // namespace tiko
