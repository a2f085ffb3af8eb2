// The sound outputs the player chooses from at the start, in the order of the
// splash window's list, whose index is the stored SoundMode.
#pragma once

#include <array>
#include <optional>
#include <string_view>

namespace tiko {

enum class SoundOutput { kDirectSound, kMultiMedia, kNone };

struct SoundOutputInfo {
  SoundOutput output;
  std::string_view entry;  // the list's text
  bool sound_on;
};

inline constexpr std::array<SoundOutputInfo, 3> kSoundOutputs = {{
    {SoundOutput::kDirectSound, "Microsoft DirectSound", true},
    {SoundOutput::kMultiMedia, "Windows MultiMedia", true},
    {SoundOutput::kNone, "(no sound)", false},
}};

inline constexpr const SoundOutputInfo& InfoOf(SoundOutput output) {
  return kSoundOutputs[static_cast<int>(output)];
}

// The list index, as SoundMode stores it.
inline constexpr int SoundModeOf(SoundOutput output) {
  return static_cast<int>(output);
}

// The output at list index `index`; nothing for no choice (-1) or outside the list.
inline constexpr std::optional<SoundOutput> SoundOutputAt(int index) {
  if (index < 0 || index >= static_cast<int>(kSoundOutputs.size())) return std::nullopt;
  return kSoundOutputs[index].output;
}

}  // namespace tiko
