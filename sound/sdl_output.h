// The default sound device through SDL2's audio. SDL is loaded by the first
// start or description, never before.
#pragma once

#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <thread>

#include "sdl/sdl_library.h"
#include "sound/audio_output.h"

namespace tiko::fsound {

// Frames per device buffer. A cue started now is mixed at the next callback
// and heard once that buffer has played: at most two buffers, 2 x 256 frames
// = 23 ms at 22050 Hz, which keeps a beep on the same LCD frame as the
// segment it goes with. Smaller buffers risk drop-outs on a busy desktop.
inline constexpr int kDeviceBufferFrames = 256;

struct DeviceTimes {
  // Silence after which the device is closed. A paused SDL device is not at
  // rest: its thread goes on writing silence to the driver, buffer by buffer.
  std::chrono::milliseconds idle{2000};
  // The longest a cue may wait for a closed device to open again, from the
  // cue to its first buffer. A driver slower than that three times running
  // keeps its device open from then on, paused while silent.
  std::chrono::milliseconds reopen_budget{20};
};

// The device closes after a while of silence and opens again, on a thread of
// its own, when the next cue wakes the mixer; the game thread never waits for
// the driver.
class SdlOutput : public AudioOutput {
 public:
  using Clock = std::chrono::steady_clock;
  // Called on the device's thread with the milliseconds from a mark to the
  // first buffer with sound handed to the device after it, whether that cue
  // had to open the device first, and whether the device now stays open.
  using Report = std::function<void(double ms, bool reopened, bool keeps_open)>;

  explicit SdlOutput(DeviceTimes times = {}, Report report = {})
      : times_(times), report_(std::move(report)) {}
  ~SdlOutput() override;
  bool Start(Mixer* mixer, int rate) override;
  void Stop() override;
  void Wake() override;
  std::string Failure() const override { return failure_; }
  // A cue has been started (and Play has returned) for something that
  // happened at `since`; the next buffer with sound is reported against it.
  void Mark(Clock::time_point since);

  // For tests and the benchmark.
  bool Paused() const;
  // The SDL driver and device a start would play through, in words.
  static std::string Describe();
  bool DeviceOpen() const;
  bool KeepsOpen() const;
  int Opens() const;  // how many times the device was opened since Start

 private:
  static void Callback(void* user, Uint8* stream, int len);
  void OnBuffer(std::int16_t* frames, int count);
  SDL_AudioDeviceID OpenDevice();
  void RunKeeper();
  void CloseIdle(SDL_AudioDeviceID device);
  void Reopen();

  const sdl::Api* sdl_ = nullptr;  // set by a start that loaded SDL
  std::string failure_;
  const DeviceTimes times_;
  const Report report_;
  Mixer* mixer_ = nullptr;
  int rate_ = 0;
  long silent_frames_ = 0;  // the device thread's alone
  std::thread keeper_;      // opens and closes the device after Start

  mutable std::mutex mutex_;  // never held while calling into SDL
  std::condition_variable changed_;
  SDL_AudioDeviceID device_ = 0;
  bool running_ = false;
  bool open_ = false;  // false from the moment a close is decided
  bool want_open_ = false;
  bool want_close_ = false;
  bool keep_open_ = false;
  int slow_reopens_ = 0;
  int opens_ = 0;
  std::optional<Clock::time_point> reopen_since_;
  std::optional<Clock::time_point> mark_;
  bool mark_reopened_ = false;
};

}  // namespace tiko::fsound
