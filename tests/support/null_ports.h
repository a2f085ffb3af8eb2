// Ports that swallow everything, for benchmarks and long runs of the core.
#pragma once

#include "engine/ports.h"

namespace tiko::test {

class NullCues : public CueSink {
 public:
  void Snd_Play(SoundId) override {}
  void Snd_Silence() override {}
};

class NullClock : public LocalClock {
 public:
  TimeOfDay Now() override { return {}; }
};

}  // namespace tiko::test
