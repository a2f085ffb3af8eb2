// The default sound device through SDL2's audio.
#pragma once

#include <SDL.h>

#include <string>

#include "sound/audio_output.h"

namespace tiko::fsound {

// Frames per device buffer. A cue started now is mixed at the next callback
// and heard once that buffer has played: at most two buffers, 2 x 256 frames
// = 23 ms at 22050 Hz, which keeps a beep on the same LCD frame as the
// segment it goes with. Smaller buffers risk drop-outs on a busy desktop.
inline constexpr int kDeviceBufferFrames = 256;

// The device is paused while the mixer sleeps: after a buffer of silence with
// no channel playing, until the next cue wakes it. A paused device asks
// nothing of us; SDL then feeds it silence, and resuming delays the cue by no
// more than the buffer a running device would have been playing anyway.
class SdlOutput : public AudioOutput {
 public:
  ~SdlOutput() override;
  bool Start(Mixer* mixer, int rate) override;
  void Stop() override;
  void Wake() override;
  // Whether the device is open and paused (for tests).
  bool Paused() const;
  // The SDL driver and device a start would play through, in words.
  static std::string Describe();

 private:
  static void Callback(void* user, Uint8* stream, int len);

  SDL_AudioDeviceID device_ = 0;
  Mixer* mixer_ = nullptr;
};

}  // namespace tiko::fsound
