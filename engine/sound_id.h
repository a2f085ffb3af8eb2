// The 18 sound cues of the unit, in load and release order.
#pragma once

#include <array>
#include <string_view>

namespace tiko {

enum class SoundId {
  snd_Bonus1,
  snd_Bonus2,
  snd_Bonus3,
  snd_Chance,
  snd_Coconut,
  snd_Crow,
  snd_Falling,
  snd_Flying,
  snd_Hand1,
  snd_Hand2,
  snd_Jump,
  snd_Key1,
  snd_Key2,
  snd_Miss,
  snd_Point,
  snd_Start1,
  snd_Start2,
  snd_Step,
};

inline constexpr int kSoundCount = 18;

inline constexpr std::array<std::string_view, kSoundCount> kSoundNames = {
    "snd_Bonus1", "snd_Bonus2", "snd_Bonus3", "snd_Chance", "snd_Coconut", "snd_Crow",
    "snd_Falling", "snd_Flying", "snd_Hand1", "snd_Hand2", "snd_Jump", "snd_Key1",
    "snd_Key2", "snd_Miss", "snd_Point", "snd_Start1", "snd_Start2", "snd_Step",
};

// Relative to the working directory, with a forward slash.
inline constexpr std::array<std::string_view, kSoundCount> kSoundFiles = {
    "Sound/Bonus1.wav", "Sound/Bonus2.wav", "Sound/Bonus3.wav", "Sound/Chance.wav",
    "Sound/Coconut.wav", "Sound/Crow.wav", "Sound/Falling.wav", "Sound/Flying.wav",
    "Sound/Hand1.wav", "Sound/Hand2.wav", "Sound/Jump.wav", "Sound/Key1.wav",
    "Sound/Key2.wav", "Sound/Miss.wav", "Sound/Point.wav", "Sound/Start1.wav",
    "Sound/Start2.wav", "Sound/Step.wav",
};

inline std::string_view SoundName(SoundId id) { return kSoundNames[static_cast<int>(id)]; }

}  // namespace tiko
