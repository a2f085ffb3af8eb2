// One session at the unit: the unit and the host that runs its timers on the
// real clock, every way an input reaches it (keys through the nine bindings,
// the mouse's and the pads' controls, the menus' operations), the key trace
// and the recording of it all. The window draws the unit and passes its
// events in; nothing else changes the unit.
#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "display/realtime_host.h"
#include "display/replay_player.h"
#include "engine/unit.h"
#include "input/gamepad/gamepads.h"
#include "input/keyboard/held_keys.h"
#include "record/recorder.h"

namespace tiko {

// The computer's local time of day, which the unit's own follows. The host
// asks on every tick; the time zone's offset is looked up at most once a
// second, since each lookup reads the zone's file again.
class QtLocalClock : public LocalClock {
 public:
  TimeOfDay Now() override;

 private:
  std::int64_t offset_ms_ = 0;
  std::optional<std::int64_t> offset_taken_ms_;  // system time of the last lookup
};

struct SessionPorts {
  CueSink* cues = nullptr;
  SettingsStore* store = nullptr;
  ErrorSink* errors = nullptr;
};

// The session's ports to the outside, counting what the unit does through
// them: a handler that played no cue, wrote no setting, showed no error and
// changed no state had no effect.
class CountingPorts : public CueSink, public SettingsStore, public ErrorSink {
 public:
  explicit CountingPorts(SessionPorts ports) : ports_(ports) {}
  std::uint64_t calls() const { return calls_; }

  void Snd_Play(SoundId id) override;
  void Snd_Silence() override;
  int ReadInteger(const std::string& name, int default_value) override;
  bool ReadBool(const std::string& name, bool default_value) override;
  void WriteInteger(const std::string& name, int value) override;
  void WriteBool(const std::string& name, bool value) override;
  void ShowError(const std::string& message) override;

 private:
  SessionPorts ports_;
  std::uint64_t calls_ = 0;
};

class Session {
 public:
  // `changed` runs after anything that may have changed the scene; `pads_changed`
  // when a controller comes or goes.
  Session(SessionPorts ports, std::function<void()> changed, std::function<void()> pads_changed);
  ~Session();

  Unit& unit() { return unit_; }
  const Unit& unit() const { return unit_; }
  RealtimeHost& host() { return host_; }
  HeldKeys& held_keys() { return held_keys_; }
  Gamepads& gamepads() { return gamepads_; }

  // F12 and Esc, once per press of the key; they never reach the unit.
  std::function<void()> on_fullscreen_key;
  std::function<void()> on_exit_key;

  // Runs `handler` on the unit: its time brought up to now first, an error
  // shown and the handler abandoned, then the timers re-armed and the change
  // shown. `command` is the line a recording gives it (none for operations
  // that do not change the unit).
  void Handle(const std::function<void()>& handler, const std::string& command = {});

  // The unit created and seeded: its time of day set from the computer's and
  // its timers armed (a replay keeps the time of day its recording gives).
  void Begin();

  // The creation's random seed.
  void Seed(std::uint32_t seed);
  // The splash window's hand-over.
  void HandOver();

  // A button picture pressed and released with the mouse.
  void Press(Control control);
  void Release(Control control);

  // The menu and dialog operations that change the unit.
  void AcceptKeys(const std::array<int, kBindingCount>& choices);
  void SetOverlays(bool on);
  void ResetHiscores();

  // Starts recording into a new file in `folder`; `version` goes in its header.
  void StartRecording(const std::filesystem::path& folder, const std::string& version);
  // Completes the recording; nothing more is recorded.
  void FinishRecording();
  // The recording's file, empty when nothing is recorded.
  std::filesystem::path RecordingFile() const;

  // Makes this session a replay of the recording `file`, before the unit's
  // creation: the host stays still and only Space (pause), the right arrow
  // (speed) and Esc are taken. False, with the reason, when it cannot be read.
  bool LoadReplay(const std::filesystem::path& file, std::string* why);
  // Starts playing it, once the unit is created and shown.
  void StartReplay();
  const ReplayPlayer* replay() const { return replay_.get(); }
  ReplayPlayer& replay_for_testing() { return *replay_; }
  // Told when the replay pauses, changes speed or ends.
  std::function<void()> on_replay_state;

 private:
  void KeyDown(int code, bool repeat);
  void KeyUp(int code);
  void ReplayKey(int code);
  void PadDown(Control control, bool repeat);
  void PadUp(Control control);
  void TraceKey(const char* what, int code);
  // After a command or a batch of ticks: the games and high scores noted.
  void Observe();
  // A repeat of a held key or button: recorded only when it had an effect,
  // which keeps a long game's recording small.
  void HandleRepeat(const std::function<void()>& handler, const std::string& command);
  void Run(const std::function<void()>& handler, const std::string& command, bool only_if_effect);

  SessionPorts ports_;
  CountingPorts counting_;
  std::function<void()> changed_;
  QtLocalClock local_clock_;
  Unit unit_;
  RealtimeHost host_;
  std::uint32_t seed_ = 0;
  std::unique_ptr<Recorder> recorder_;
  std::unique_ptr<ReplayPlayer> replay_;
  const bool trace_keys_;
  HeldKeys held_keys_;
  Gamepads gamepads_;
};

// The five lines of tiko-script's `dump` for a unit.
std::string DumpText(const Unit& unit);

}  // namespace tiko
