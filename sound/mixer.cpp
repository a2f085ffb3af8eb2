#include "sound/mixer.h"

#include <algorithm>
#include <cmath>

namespace tiko::fsound {
namespace {

// Frames mixed per pass; the limiter adjusts its gain once per pass.
constexpr int kBlock = 256;
// Level above which the mix is gently compressed instead of clipped.
constexpr float kKnee = 0.8f;
// The limiter aims the block's peak here, under the knee.
constexpr float kCeiling = 0.78f;
// Fraction of the way back to full gain per block (about 60 ms to recover).
constexpr float kRelease = 0.2f;

// Linear up to the knee, then bends smoothly towards full scale without ever
// reaching it: a peak the limiter had no time to catch is rounded, not cut.
float SoftLimit(float x) {
  float a = std::fabs(x);
  if (a <= kKnee) return x;
  float over = (a - kKnee) / (1.0f - kKnee);
  return std::copysign(kKnee + (1.0f - kKnee) * over / (1.0f + over), x);
}

}  // namespace

Mixer::Mixer(int channels)
    : voices_(static_cast<std::size_t>(std::clamp(channels, 1, kMaxChannels))), acc_(2 * kBlock) {}

int Mixer::PickFreeChannel() const {
  int fading = -1;
  int oldest = 0;
  for (int i = 0; i < channel_count(); ++i) {
    const Voice& v = voices_[i];
    if (v.pcm == nullptr) return i;
    if (v.fade > 0 && fading < 0) fading = i;
    if (v.serial < voices_[oldest].serial) oldest = i;
  }
  return fading >= 0 ? fading : oldest;
}

int Mixer::Play(int channel, const Pcm* sample) {
  std::lock_guard lock(mutex_);
  if (channel == kFreeChannel) channel = PickFreeChannel();
  if (channel < 0 || channel >= channel_count() || sample == nullptr) return -1;
  voices_[channel] = Voice{sample, 0, next_serial_++, 0};
  return channel;
}

bool Mixer::Stop(int channel) {
  std::lock_guard lock(mutex_);
  auto stop = [](Voice& v) {
    if (v.pcm != nullptr && v.fade == 0) v.fade = kFadeFrames;
  };
  if (channel == kAllChannels) {
    for (Voice& v : voices_) stop(v);
    return true;
  }
  if (channel < 0 || channel >= channel_count()) return false;
  stop(voices_[channel]);
  return true;
}

void Mixer::Forget(const Pcm* sample) {
  std::lock_guard lock(mutex_);
  for (Voice& v : voices_)
    if (v.pcm == sample) v = Voice{};
}

void Mixer::Mix(std::int16_t* out, int frames) {
  std::lock_guard lock(mutex_);
  while (frames > 0) {
    int n = std::min(frames, kBlock);
    MixBlock(out, n);
    out += 2 * n;
    frames -= n;
  }
}

void Mixer::MixBlock(std::int16_t* out, int frames) {
  constexpr float kScale = 1.0f / 32768.0f;
  std::fill(acc_.begin(), acc_.begin() + 2 * frames, 0.0f);

  for (Voice& v : voices_) {
    if (v.pcm == nullptr) continue;
    const std::size_t total = v.pcm->Frames();
    const std::int16_t* d = v.pcm->data.data();
    const bool stereo = v.pcm->channels == 2;
    for (int i = 0; i < frames && v.pos < total; ++i) {
      float g = v.fade > 0 ? kScale * static_cast<float>(v.fade) / kFadeFrames : kScale;
      float l = stereo ? d[2 * v.pos] * g : d[v.pos] * g;
      float r = stereo ? d[2 * v.pos + 1] * g : l;
      acc_[2 * i] += l;
      acc_[2 * i + 1] += r;
      ++v.pos;
      if (v.fade > 0 && --v.fade == 0) v.pos = total;  // faded out: the channel falls idle
    }
    if (v.pos >= total) v = Voice{};
  }

  // Many loud channels together: ramp the gain down within this block so the
  // peak sits under the knee, and let it recover slowly afterwards. A ramp,
  // not a jump, so the gain change itself makes no click.
  float peak = 0.0f;
  for (int i = 0; i < 2 * frames; ++i) peak = std::max(peak, std::fabs(acc_[i]));
  float target = peak > kCeiling ? kCeiling / peak : 1.0f;
  float end_gain = target < gain_ ? target : std::min(target, gain_ + (1.0f - gain_) * kRelease);
  float step = (end_gain - gain_) / static_cast<float>(frames);
  float g = gain_;
  for (int i = 0; i < frames; ++i) {
    g += step;
    for (int c = 0; c < 2; ++c) {
      float y = SoftLimit(acc_[2 * i + c] * g);
      out[2 * i + c] = static_cast<std::int16_t>(std::lround(y * 32767.0f));
    }
  }
  gain_ = end_gain;
}

}  // namespace tiko::fsound
