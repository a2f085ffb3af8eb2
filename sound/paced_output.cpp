#include "sound/paced_output.h"

#include <cstdint>
#include <vector>

#include "sound/mixer.h"
#include "sound/sdl_output.h"

namespace tiko::fsound {

PacedOutput::~PacedOutput() {
  Stop();
}

bool PacedOutput::Start(Mixer* mixer, int rate) {
  Stop();
  if (mixer == nullptr || rate <= 0) return false;
  mixer_ = mixer;
  running_ = true;
  paused_ = false;
  const auto period = std::chrono::duration_cast<Clock::duration>(
      std::chrono::duration<double>(static_cast<double>(kDeviceBufferFrames) / rate));
  thread_ = std::thread([this, period] { Run(period); });
  return true;
}

void PacedOutput::Stop() {
  {
    std::lock_guard lock(mutex_);
    running_ = false;
  }
  stop_.notify_all();
  if (thread_.joinable()) thread_.join();
  mixer_ = nullptr;
}

void PacedOutput::Wake() {
  std::lock_guard lock(mutex_);
  paused_ = false;
}

void PacedOutput::Mark(Clock::time_point since) {
  std::lock_guard lock(mutex_);
  mark_ = since;
}

// Like SDL's device thread, the pace goes on while paused; only the mixer rests.
void PacedOutput::Run(Clock::duration period) {
  std::vector<std::int16_t> buffer(2 * kDeviceBufferFrames);
  auto next = Clock::now();
  std::unique_lock lock(mutex_);
  while (running_) {
    next += period;
    if (stop_.wait_until(lock, next, [this] { return !running_; })) break;
    if (paused_) continue;
    const bool sounding = mixer_->Mix(buffer.data(), kDeviceBufferFrames);
    if (!sounding) {
      paused_ = true;
    } else if (mark_) {
      const double ms = std::chrono::duration<double, std::milli>(Clock::now() - *mark_).count();
      mark_.reset();
      if (report_) report_(ms);
    }
  }
}

}  // namespace tiko::fsound
