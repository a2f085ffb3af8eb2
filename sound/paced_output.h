// An output without a device that pulls the mixer at a device's pace: a
// buffer of kDeviceBufferFrames each buffer period, on its own thread,
// resting while the mixer sleeps as the sound device does. The window
// benchmark listens through it to time a cue from the key that started it.
#pragma once

#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <optional>
#include <thread>

#include "sound/audio_output.h"

namespace tiko::fsound {

class PacedOutput : public AudioOutput {
 public:
  using Clock = std::chrono::steady_clock;
  // Called on the output's thread with the milliseconds from a mark to the
  // first buffer with sound mixed after it.
  using Report = std::function<void(double ms)>;

  explicit PacedOutput(Report report) : report_(std::move(report)) {}
  ~PacedOutput() override;

  bool Start(Mixer* mixer, int rate) override;
  void Stop() override;
  void Wake() override;
  // A cue has been started (and Play has returned) for something that
  // happened at `since`; the next buffer with sound is reported against it.
  void Mark(Clock::time_point since);

 private:
  void Run(Clock::duration period);

  Report report_;
  std::thread thread_;
  std::mutex mutex_;  // taken around each pull, so a Wake never meets half a pause
  std::condition_variable stop_;
  Mixer* mixer_ = nullptr;
  bool running_ = false;
  bool paused_ = false;
  std::optional<Clock::time_point> mark_;
};

}  // namespace tiko::fsound
