// What the core calls out through: sound cues, the settings store, the local
// time of day and the message box for errors. Hosts plug their own in.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>

#include "engine/sound_id.h"

namespace tiko {

// An error the program shows in a message box; it abandons the handler that raised it.
class UnitError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

class CueSink {
 public:
  virtual ~CueSink() = default;
  virtual void Snd_Play(SoundId id) = 0;
  virtual void Snd_Silence() = 0;
};

// The per-user settings: integer and Boolean values stored as text.
// Reads throw UnitError("Invalid data type for 'Name'") for a value of another type.
class SettingsStore {
 public:
  virtual ~SettingsStore() = default;
  virtual int ReadInteger(const std::string& name, int default_value) = 0;
  virtual bool ReadBool(const std::string& name, bool default_value) = 0;
  virtual void WriteInteger(const std::string& name, int value) = 0;
  virtual void WriteBool(const std::string& name, bool value) = 0;
};

struct TimeOfDay {
  int hour = 0;  // 0..23
  int minute = 0;
  int second = 0;
  int millisecond = 0;
};

inline constexpr std::int64_t kDayMs = 24LL * 60 * 60 * 1000;

// A time of day given in milliseconds since midnight (0 .. kDayMs - 1).
constexpr TimeOfDay TimeOfDayOf(std::int64_t ms) {
  return TimeOfDay{static_cast<int>(ms / 3'600'000), static_cast<int>(ms / 60'000 % 60),
                   static_cast<int>(ms / 1000 % 60), static_cast<int>(ms % 1000)};
}

class LocalClock {
 public:
  virtual ~LocalClock() = default;
  virtual TimeOfDay Now() = 0;
};

class ErrorSink {
 public:
  virtual ~ErrorSink() = default;
  virtual void ShowError(const std::string& message) = 0;
};

}  // namespace tiko
