// An output with no device: whoever holds it pulls the mixed frames itself.
// Tests and the benchmark listen through it.
#pragma once

#include <cstdint>
#include <vector>

#include "sound/audio_output.h"

namespace tiko::fsound {

class CaptureOutput : public AudioOutput {
 public:
  // `opens` false plays a machine without a sound device.
  explicit CaptureOutput(bool opens = true) : opens_(opens) {}

  bool Start(Mixer* mixer, int rate) override;
  void Stop() override;

  bool running() const { return mixer_ != nullptr; }
  int rate() const { return rate_; }
  // The next `frames` stereo frames, interleaved; silence while not running.
  std::vector<std::int16_t> Pull(int frames);

 private:
  bool opens_;
  Mixer* mixer_ = nullptr;
  int rate_ = 0;
};

}  // namespace tiko::fsound
