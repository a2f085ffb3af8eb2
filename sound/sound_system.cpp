#include "sound/sound_system.h"

#include <string>
#include <system_error>

#include "sound/fsound_hooks.h"

namespace tiko {
namespace {

constexpr int kMixRate = 22050;
constexpr int kChannels = 64;

// The sound library's output code of each output.
int OutputCode(SoundOutput output) {
  switch (output) {
    case SoundOutput::kDirectSound:
      return FSOUND_OUTPUT_DSOUND;
    case SoundOutput::kMultiMedia:
      return FSOUND_OUTPUT_WINMM;
    case SoundOutput::kNone:
      break;
  }
  return FSOUND_OUTPUT_NOSOUND;
}

// The sample in the first folder that has it; else where the first would have it.
std::string SampleFile(const std::vector<std::filesystem::path>& dirs, std::string_view name) {
  for (const std::filesystem::path& dir : dirs) {
    std::error_code error;
    if (std::filesystem::is_regular_file(dir / name, error)) return (dir / name).string();
  }
  return ((dirs.empty() ? std::filesystem::path() : dirs.front()) / name).string();
}

}  // namespace

bool SoundSystem::Snd_Open_Output(std::optional<SoundOutput> output) {
  if (output) {
    sound_on_ = InfoOf(*output).sound_on;
    if (store_) store_->WriteInteger("SoundMode", SoundModeOf(*output));
  }
  if (!sound_on_ || !output) return true;
  const int output_code = OutputCode(*output);

  FSOUND_Init(kMixRate, kChannels, 0);
  FSOUND_SetOutput(output_code);
  for (int i = 0; i < kSoundCount; ++i) {
    std::string file = SampleFile(data_dirs_, kSoundFiles[i]);
    handles_[i] = FSOUND_Sample_Load(FSOUND_UNMANAGED, file.c_str(), FSOUND_2D, 0, 0);
  }

  // No sound library: the game plays silently, and the choice stays stored.
  const std::string& failure = fsound::OutputFailure();
  if (!failure.empty() && host_) {
    host_->ShowError("No sound: " + failure + ". The game plays silently.");
  }

  // Samples past what they may take in all are silent, and the first is named.
  const std::string& over_budget = fsound::FirstSampleOverBudget();
  if (!over_budget.empty() && host_) {
    host_->ShowError("The sounds need more than " +
                     std::to_string(fsound::kSampleBudget / (1024 * 1024)) +
                     " MB of memory in all; \"" + over_budget +
                     "\" and any other sound beyond that stay silent.");
  }

  // Only the first sample stands for the folder; a later one missing is
  // silent, and so is one that is there but beyond the budget.
  if (handles_[0] == nullptr && over_budget != SampleFile(data_dirs_, kSoundFiles[0])) {
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
