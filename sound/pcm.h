// A decoded sample: signed 16-bit frames, interleaved when stereo.
#pragma once

#include <cstdint>
#include <vector>

namespace tiko::fsound {

struct Pcm {
  int channels = 1;  // 1 or 2
  int rate = 0;      // frames per second
  std::vector<std::int16_t> data;

  std::size_t Frames() const { return channels > 0 ? data.size() / channels : 0; }
};

}  // namespace tiko::fsound
