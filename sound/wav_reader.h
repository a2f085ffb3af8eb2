// Reads RIFF/WAVE files holding PCM, 8 or 16 bit, mono or stereo, at any rate.
// Every field is checked against the bytes actually present: a truncated or
// malformed file, or one that is not a WAV at all, gives no sample.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

#include "sound/pcm.h"

namespace tiko::fsound {

// Rates outside this range are refused: they are no audio a game plays, and a
// tiny rate would blow a short file up to gigabytes when converted.
inline constexpr std::uint32_t kMinWavRate = 1000;
inline constexpr std::uint32_t kMaxWavRate = 384000;

std::optional<Pcm> ParseWav(std::span<const std::uint8_t> bytes);

}  // namespace tiko::fsound
