#include "sound/mixer.h"

#include <algorithm>
#include <cmath>

namespace tiko::fsound {
namespace {

// Frames mixed per pass. Everything the limiter looks ahead at lies within one pass.
constexpr int kBlock = 256;
// Level above which the mix is gently compressed instead of clipped.
constexpr float kKnee = 0.8f;
// The limiter keeps peaks here, under the knee.
constexpr float kCeiling = 0.78f;
// The limiter's gain falls by at most this per frame (from full gain to none
// in about 3 ms) and recovers at this rate (in about 100 ms).
constexpr float kAttackStep = 1.0f / 64;
constexpr float kReleaseStep = 1.0f / 2205;

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
    : voices_(static_cast<std::size_t>(std::clamp(channels, 1, kMaxChannels))),
      acc_(2 * kBlock),
      need_(kBlock) {}

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

int Mixer::Play(int channel, const Pcm* sample, bool* woke) {
  std::lock_guard lock(mutex_);
  if (woke != nullptr) *woke = false;
  if (channel == kFreeChannel) channel = PickFreeChannel();
  if (channel < 0 || channel >= channel_count() || sample == nullptr) return -1;
  voices_[channel] = Voice{sample, 0, next_serial_++, 0};
  if (woke != nullptr) *woke = asleep_;
  asleep_ = false;
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

bool Mixer::Mix(std::int16_t* out, int frames) {
  std::lock_guard lock(mutex_);
  // Asleep only after a whole pass of silence, so that a device paused now
  // has ended on silence and resumes from it without a click.
  asleep_ =
      std::none_of(voices_.begin(), voices_.end(), [](const Voice& v) { return v.pcm != nullptr; });
  if (asleep_) {
    std::fill(out, out + 2 * static_cast<std::size_t>(std::max(frames, 0)), std::int16_t{0});
    // The limiter recovers over silence as it would frame by frame.
    gain_ = std::min(1.0f, gain_ + static_cast<float>(std::max(frames, 0)) * kReleaseStep);
    return false;
  }
  while (frames > 0) {
    int n = std::min(frames, kBlock);
    MixBlock(out, n);
    out += 2 * n;
    frames -= n;
  }
  return true;
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

  // Many loud channels together: the gain each frame needs to stay under the
  // ceiling, eased in ahead of every peak (looking ahead within this pass) and
  // out slowly after it, so the gain never jumps and the waves are never cut.
  for (int i = 0; i < frames; ++i) {
    float peak = std::max(std::fabs(acc_[2 * i]), std::fabs(acc_[2 * i + 1]));
    need_[i] = peak > kCeiling ? kCeiling / peak : 1.0f;
  }
  for (int i = frames - 2; i >= 0; --i) need_[i] = std::min(need_[i], need_[i + 1] + kAttackStep);
  float g = gain_;
  for (int i = 0; i < frames; ++i) {
    g = std::min(need_[i], g + kReleaseStep);
    for (int c = 0; c < 2; ++c) {
      float y = SoftLimit(acc_[2 * i + c] * g);
      out[2 * i + c] = static_cast<std::int16_t>(std::lround(y * 32767.0f));
    }
  }
  gain_ = g;
}

}  // namespace tiko::fsound
