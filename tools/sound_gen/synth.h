// Renders a cue as a band-limited square wave, 16-bit mono.
#pragma once

#include <cstdint>
#include <vector>

#include "tools/sound_gen/cue.h"

namespace tiko::soundgen {

inline constexpr int kRate = 22050;

std::vector<std::int16_t> Render(const Cue& cue, int rate = kRate);

}  // namespace tiko::soundgen
