// Where mixed frames go: the sound device, or a capture that tests read from.
#pragma once

#include <functional>
#include <memory>
#include <string>

namespace tiko::fsound {

class Mixer;

class AudioOutput {
 public:
  virtual ~AudioOutput() = default;
  // Starts pulling stereo 16-bit frames from `mixer` at `rate`. False when no
  // output could be opened; the caller then carries on without one.
  virtual bool Start(Mixer* mixer, int rate) = 0;
  // Stops pulling; the mixer may be destroyed afterwards.
  virtual void Stop() = 0;
  // The mixer woke from sleep (a cue started after silence): an output that
  // rested while the mixer slept pulls again.
  virtual void Wake() {}
  // Why the last Start gave false, when the player should be told; told
  // once a run, so empty again afterwards.
  virtual std::string Failure() const { return {}; }
};

using OutputFactory = std::function<std::shared_ptr<AudioOutput>()>;

}  // namespace tiko::fsound
