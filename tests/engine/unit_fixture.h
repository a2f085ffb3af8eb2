// A unit with recording ports, for tests of the rules.
#pragma once

#include <string>
#include <vector>

#include "engine/unit.h"
#include "engine/unit_probe.h"
#include "tests/support/memory_store.h"

namespace tiko::test {

class RecordingCues : public CueSink {
 public:
  std::vector<std::string> calls;
  void Snd_Play(SoundId id) override { calls.emplace_back(SoundName(id)); }
  void Snd_Silence() override { calls.emplace_back("silence"); }
};

class FixedClock : public LocalClock {
 public:
  TimeOfDay time;
  TimeOfDay Now() override { return time; }
};

class RecordingErrors : public ErrorSink {
 public:
  std::vector<std::string> shown;
  void ShowError(const std::string& message) override { shown.push_back(message); }
};

struct UnitFixture {
  MemoryStore store;
  RecordingCues cues;
  FixedClock clock;
  RecordingErrors errors;
  Unit unit{UnitPorts{&cues, &store, &clock, &errors}};

  void Create() { unit.CreateFinish(); }
};

}  // namespace tiko::test
