// Brings a sample to the mixing rate once, when it is loaded, so the mixer
// only ever steps one frame per output frame.
#pragma once

#include <cstddef>
#include <optional>

#include "sound/pcm.h"

namespace tiko::fsound {

// The longest sample kept after conversion, in frames (about 12 minutes at 22050 Hz).
inline constexpr std::size_t kMaxConvertedFrames = 16u << 20;

// Linear interpolation when raising the rate; averaging over each output
// frame's span of input when lowering it, which keeps tones above the new
// Nyquist limit from folding back as loud aliases. Empty when the result would
// be empty or too long.
std::optional<Pcm> ConvertRate(const Pcm& in, int rate);

}  // namespace tiko::fsound
