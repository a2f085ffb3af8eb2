#include "sound/capture_output.h"

#include "sound/mixer.h"

namespace tiko::fsound {

bool CaptureOutput::Start(Mixer* mixer, int rate) {
  if (!opens_) return false;
  mixer_ = mixer;
  rate_ = rate;
  return true;
}

void CaptureOutput::Stop() {
  mixer_ = nullptr;
}

std::vector<std::int16_t> CaptureOutput::Pull(int frames) {
  std::vector<std::int16_t> out(2 * static_cast<std::size_t>(frames), 0);
  if (mixer_ != nullptr && frames > 0) mixer_->Mix(out.data(), frames);
  return out;
}

}  // namespace tiko::fsound
