// Mixes up to 64 channels of loaded samples into stereo 16-bit frames. The
// audio thread pulls frames with Mix while the game thread starts and stops
// channels; one lock guards the channels.
#pragma once

#include <cstdint>
#include <mutex>
#include <vector>

#include "sound/pcm.h"

namespace tiko::fsound {

class Mixer {
 public:
  static constexpr int kMaxChannels = 64;
  static constexpr int kFreeChannel = -1;
  static constexpr int kAllChannels = -3;
  // A stopped channel fades out over this many frames (about 3 ms at 22050 Hz)
  // instead of cutting the wave mid-swing, which would click.
  static constexpr int kFadeFrames = 64;

  explicit Mixer(int channels);

  int channel_count() const { return static_cast<int>(voices_.size()); }

  // Plays `sample` (at the mixing rate) from its start on `channel`, or with
  // kFreeChannel on an idle channel; when all are busy the one that has been
  // playing longest is taken. Returns the channel, or -1 for a bad channel.
  // `woke` tells whether the mixer was asleep (see Mix) until this call.
  int Play(int channel, const Pcm* sample, bool* woke = nullptr);
  // Stops one channel, or every channel with kAllChannels.
  bool Stop(int channel);
  // Cuts every channel playing `sample` at once; after this returns the mixer
  // no longer reads it, so it may be freed.
  void Forget(const Pcm* sample);
  // Writes `frames` stereo frames (left, right) to `out`. False when no
  // channel played at all, so `out` is silence: the mixer is then asleep, and
  // whoever pulls frames may rest until a Play reports that it woke.
  bool Mix(std::int16_t* out, int frames);

 private:
  struct Voice {
    const Pcm* pcm = nullptr;
    std::size_t pos = 0;
    std::uint64_t serial = 0;  // when it started; the smallest is the oldest
    int fade = 0;              // frames of fade-out left; 0 when not stopping
  };

  void MixBlock(std::int16_t* out, int frames);
  int PickFreeChannel() const;

  std::mutex mutex_;
  std::vector<Voice> voices_;
  std::uint64_t next_serial_ = 1;
  bool asleep_ = true;
  float gain_ = 1.0f;  // the limiter's gain, carried from pass to pass
  std::vector<float> acc_;
  std::vector<float> need_;  // the limiter's gain wanted per frame
};

}  // namespace tiko::fsound
