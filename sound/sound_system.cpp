#include "sound/sound_system.h"

#include <string>

namespace tiko {
namespace {

constexpr int kMixRate = 22050;
constexpr int kChannels = 64;

struct OutputChoice {
  const char* entry;
  int sound_mode;  // the list index, as stored
  bool sound_on;
  int output_code;
};

// Compared in this order; the first exact match wins.
constexpr OutputChoice kChoices[] = {
    {kOutputNone, 2, false, FSOUND_OUTPUT_NOSOUND},
    {kOutputMultiMedia, 1, true, FSOUND_OUTPUT_WINMM},
    {kOutputDirectSound, 0, true, FSOUND_OUTPUT_DSOUND},
};

}  // namespace

bool SoundSystem::Snd_Open_Output(const std::string& entry) {
  int output_code = FSOUND_OUTPUT_NOSOUND;
  for (const OutputChoice& choice : kChoices) {
    if (entry == choice.entry) {
      sound_on_ = choice.sound_on;
      output_code = choice.output_code;
      if (store_) store_->WriteInteger("SoundMode", choice.sound_mode);
      break;
    }
  }
  if (!sound_on_) return true;

  FSOUND_Init(kMixRate, kChannels, 0);
  FSOUND_SetOutput(output_code);
  for (int i = 0; i < kSoundCount; ++i) {
    std::string file = (data_dir_ / kSoundFiles[i]).string();
    handles_[i] = FSOUND_Sample_Load(FSOUND_UNMANAGED, file.c_str(), FSOUND_2D, 0, 0);
  }

  // Only the first sample stands for the folder; a later one missing is silent.
  if (handles_[0] == nullptr) {
    if (host_) host_->ShowError(kSoundFolderMessage);
    if (store_) {
      store_->WriteInteger("SoundMode", -1);
      store_->WriteBool("SplashScreen", true);
    }
    if (host_) host_->RequestTerminate();
    return false;
  }
  return true;
}

void SoundSystem::Snd_Play(SoundId id) {
  if (sound_on_) FSOUND_PlaySound(FSOUND_FREE, handle(id));
}

void SoundSystem::Snd_Silence() {
  if (sound_on_) FSOUND_StopSound(FSOUND_ALL);
}

void SoundSystem::Snd_Close_Output() {
  for (FSOUND_SAMPLE*& h : handles_) {
    FSOUND_Sample_Free(h);
    h = nullptr;
  }
  FSOUND_Close();
  // Nothing is left to play; a late cue must not reach the closed library.
  sound_on_ = false;
}

}  // namespace tiko
