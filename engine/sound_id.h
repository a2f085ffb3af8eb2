// The 18 sound cues of the unit, in load and release order.
#pragma once

#include <array>
#include <string_view>

namespace tiko {

// The one list of the cues: each gives its enumerator, its name and its file,
// relative to the working directory with a forward slash.
#define TIKO_SOUNDS(X)                \
  X(snd_Bonus1, "Sound/Bonus1.wav")   \
  X(snd_Bonus2, "Sound/Bonus2.wav")   \
  X(snd_Bonus3, "Sound/Bonus3.wav")   \
  X(snd_Chance, "Sound/Chance.wav")   \
  X(snd_Coconut, "Sound/Coconut.wav") \
  X(snd_Crow, "Sound/Crow.wav")       \
  X(snd_Falling, "Sound/Falling.wav") \
  X(snd_Flying, "Sound/Flying.wav")   \
  X(snd_Hand1, "Sound/Hand1.wav")     \
  X(snd_Hand2, "Sound/Hand2.wav")     \
  X(snd_Jump, "Sound/Jump.wav")       \
  X(snd_Key1, "Sound/Key1.wav")       \
  X(snd_Key2, "Sound/Key2.wav")       \
  X(snd_Miss, "Sound/Miss.wav")       \
  X(snd_Point, "Sound/Point.wav")     \
  X(snd_Start1, "Sound/Start1.wav")   \
  X(snd_Start2, "Sound/Start2.wav")   \
  X(snd_Step, "Sound/Step.wav")

enum class SoundId {
#define TIKO_SOUND_ENUMERATOR(name, file) name,
  TIKO_SOUNDS(TIKO_SOUND_ENUMERATOR)
#undef TIKO_SOUND_ENUMERATOR
};

inline constexpr int kSoundCount = 18;

inline constexpr std::array<std::string_view, kSoundCount> kSoundNames = {
#define TIKO_SOUND_NAME(name, file) #name,
    TIKO_SOUNDS(TIKO_SOUND_NAME)
#undef TIKO_SOUND_NAME
};

inline constexpr std::array<std::string_view, kSoundCount> kSoundFiles = {
#define TIKO_SOUND_FILE(name, file) file,
    TIKO_SOUNDS(TIKO_SOUND_FILE)
#undef TIKO_SOUND_FILE
};

inline std::string_view SoundName(SoundId id) {
  return kSoundNames[static_cast<int>(id)];
}

}  // namespace tiko
