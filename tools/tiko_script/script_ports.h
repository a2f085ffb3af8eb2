// The ports of the headless unit: every cue, store write and error becomes a
// printed line stamped with the virtual time.
#pragma once

#include <cstdint>
#include <functional>
#include <ostream>
#include <string>

#include "engine/ports.h"

namespace tiko::script {

using NowFn = std::function<std::int64_t()>;

class PrintingCues : public CueSink {
 public:
  PrintingCues(std::ostream& out, NowFn now) : out_(out), now_(std::move(now)) {}
  void Snd_Play(SoundId id) override;
  void Snd_Silence() override;

 private:
  std::ostream& out_;
  NowFn now_;
};

// Passes reads and writes through to the real store and prints each write.
class PrintingStore : public SettingsStore {
 public:
  PrintingStore(SettingsStore& inner, std::ostream& out, NowFn now)
      : inner_(inner), out_(out), now_(std::move(now)) {}
  int ReadInteger(const std::string& name, int default_value) override;
  bool ReadBool(const std::string& name, bool default_value) override;
  void WriteInteger(const std::string& name, int value) override;
  void WriteBool(const std::string& name, bool value) override;

 private:
  SettingsStore& inner_;
  std::ostream& out_;
  NowFn now_;
};

class PrintingErrors : public ErrorSink {
 public:
  PrintingErrors(std::ostream& out, NowFn now) : out_(out), now_(std::move(now)) {}
  void ShowError(const std::string& message) override;

 private:
  std::ostream& out_;
  NowFn now_;
};

}  // namespace tiko::script
