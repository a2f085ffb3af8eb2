#include "display/session.h"

#include <QDateTime>
#include <QTime>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <sstream>

#include "record/clock_text.h"
#include "record/recordings_folder.h"
#include "record/state_dump.h"

namespace tiko {

namespace {

constexpr int kVkSpace = 32;
constexpr int kVkRight = 39;
constexpr int kVkEscape = 27;
constexpr int kVkF12 = 123;

}  // namespace

TimeOfDay QtLocalClock::Now() {
  const std::int64_t utc_ms = QDateTime::currentMSecsSinceEpoch();
  if (!offset_taken_ms_ || utc_ms < *offset_taken_ms_ || utc_ms - *offset_taken_ms_ >= 1000) {
    offset_ms_ = std::int64_t{QDateTime::fromMSecsSinceEpoch(utc_ms).offsetFromUtc()} * 1000;
    offset_taken_ms_ = utc_ms;
  }
  constexpr std::int64_t kDay = 24 * 60 * 60 * 1000;
  std::int64_t ms = (utc_ms + offset_ms_) % kDay;
  if (ms < 0) ms += kDay;
  const auto part = [&](std::int64_t unit, std::int64_t count) {
    return static_cast<int>(ms / unit % count);
  };
  return TimeOfDay{part(3'600'000, 24), part(60'000, 60), part(1000, 60), part(1, 1000)};
}

void CountingPorts::Snd_Play(SoundId id) {
  ++calls_;
  ports_.cues->Snd_Play(id);
}

void CountingPorts::Snd_Silence() {
  ++calls_;
  ports_.cues->Snd_Silence();
}

int CountingPorts::ReadInteger(const std::string& name, int default_value) {
  return ports_.store->ReadInteger(name, default_value);
}

bool CountingPorts::ReadBool(const std::string& name, bool default_value) {
  return ports_.store->ReadBool(name, default_value);
}

void CountingPorts::WriteInteger(const std::string& name, int value) {
  ++calls_;
  ports_.store->WriteInteger(name, value);
}

void CountingPorts::WriteBool(const std::string& name, bool value) {
  ++calls_;
  ports_.store->WriteBool(name, value);
}

void CountingPorts::ShowError(const std::string& message) {
  ++calls_;
  if (ports_.errors) ports_.errors->ShowError(message);
}

std::string DumpText(const Unit& unit) {
  std::ostringstream out;
  DumpUnit(unit, out);
  return out.str();
}

Session::Session(SessionPorts ports, std::function<void()> changed,
                 std::function<void()> pads_changed)
    : ports_(ports),
      counting_(ports),
      changed_(std::move(changed)),
      // The unit keeps its own time of day; the host keeps it with the computer's.
      unit_(UnitPorts{ports_.cues ? &counting_ : nullptr, ports_.store ? &counting_ : nullptr,
                      nullptr, ports_.errors ? &counting_ : nullptr}),
      host_(unit_,
            [this] {
              Observe();
              if (changed_) changed_();
            }),
      trace_keys_(qEnvironmentVariableIsSet("TIKO_TRACE_KEYS")),
      held_keys_([this](int code, bool repeat) { KeyDown(code, repeat); },
                 [this](int code) { KeyUp(code); }),
      gamepads_([this](Control control, bool repeat) { PadDown(control, repeat); },
                [this](Control control) { PadUp(control); }, std::move(pads_changed)) {
  // Both come before the host changes the unit, with the unit's time where they happen.
  host_.on_stall = [this](std::int64_t ms) {
    if (recorder_) recorder_->Stall(unit_.Now(), ms);
  };
  host_.on_clock = [this](std::int64_t ms_of_day) {
    if (recorder_) recorder_->Command(unit_.Now(), "clock " + ClockText(ms_of_day));
  };
}

Session::~Session() = default;

void Session::Handle(const std::function<void()>& handler, const std::string& command) {
  Run(handler, command, false);
}

void Session::HandleRepeat(const std::function<void()>& handler, const std::string& command) {
  Run(handler, command, true);
}

namespace {

// What a handler may change in the unit, beside the calls through its ports.
struct Snapshot {
  explicit Snapshot(const Unit& unit)
      : scene(unit.scene().Revision()),
        vars(unit.vars()),
        timers(unit.timers()),
        seed(unit.random_seed()) {}
  bool operator==(const Snapshot& o) const {
    if (scene != o.scene || seed != o.seed) return false;
    for (const VarField& f : VarTable()) {
      if (f.get(vars) != f.get(o.vars)) return false;
    }
    for (int i = 0; i < kTimerCount; ++i) {
      const GameTimer& a = timers[static_cast<TimerId>(i)];
      const GameTimer& b = o.timers[static_cast<TimerId>(i)];
      if (a.interval != b.interval || a.enabled != b.enabled || (a.enabled && a.due != b.due)) {
        return false;
      }
    }
    return true;
  }
  std::uint64_t scene;
  Vars vars;
  TimerBank timers;
  std::uint32_t seed;
};

}  // namespace

void Session::Run(const std::function<void()>& handler, const std::string& command,
                  bool only_if_effect) {
  if (replay_) {
    // The replay runs the unit's time; the window's own operations still work.
    handler();
    if (changed_) changed_();
    return;
  }
  host_.Sync();
  Observe();
  const Snapshot before(unit_);
  const std::uint64_t calls = counting_.calls();
  try {
    handler();
  } catch (const UnitError& e) {
    counting_.ShowError(e.what());
  }
  const bool effect = !only_if_effect || counting_.calls() != calls || !(Snapshot(unit_) == before);
  // Recorded after it ran, at the moment it acted: the lines it printed are the replay's to print.
  if (recorder_ && !command.empty() && effect) recorder_->Command(unit_.Now(), command);
  host_.Rearm();
  Observe();
  if (changed_) changed_();
}

void Session::Begin() {
  if (replay_) return;
  host_.FollowLocalTime(&local_clock_);
  host_.Rearm();
}

void Session::Observe() {
  if (recorder_) recorder_->Observe(unit_.vars(), unit_.TimeOfDayMs());
}

void Session::Seed(std::uint32_t seed) {
  seed_ = seed;
  unit_.SeedRandom(seed);
}

// Mode 0 once more, on a unit that no input has reached yet: nothing for a
// recording to repeat.
void Session::HandOver() {
  Handle([this] { unit_.HandOver(); });
}

// With TIKO_TRACE_KEYS set, each key that reaches the window is printed with
// the unit's mode and the hero's place after it: what a player whose key does
// nothing can look at, and what the X tests read.
void Session::TraceKey(const char* what, int code) {
  if (!trace_keys_) return;
  const Vars& v = unit_.vars();
  std::printf("tiko: key %s %d mode=%d hero=%d,%d\n", what, code, static_cast<int>(v.mode),
              v.hero_col, v.hero_row);
  std::fflush(stdout);
}

// Every key press goes to the bindings, repeats too, as Windows sends them;
// F12 and Esc act once per press of the key.
void Session::KeyDown(int code, bool repeat) {
  TraceKey(repeat ? "repeat" : "down", code);
  if (replay_) {
    if (!repeat) ReplayKey(code);
    return;
  }
  if (code == kVkF12) {
    if (!repeat && on_fullscreen_key) on_fullscreen_key();
    return;
  }
  if (code == kVkEscape) {
    if (!repeat && on_exit_key) on_exit_key();
    return;
  }
  const auto down = [&] { unit_.FormKeyDown(code); };
  const std::string command = "keydown " + std::to_string(code);
  repeat ? HandleRepeat(down, command) : Handle(down, command);
  TraceKey("done", code);
}

void Session::ReplayKey(int code) {
  switch (code) {
    case kVkSpace:
      return replay_->TogglePause();
    case kVkRight:
      return replay_->NextSpeed();
    case kVkF12:
      if (on_fullscreen_key) on_fullscreen_key();
      return;
    case kVkEscape:
      if (on_exit_key) on_exit_key();
      return;
    default:
      return;
  }
}

void Session::KeyUp(int code) {
  TraceKey("up", code);
  if (replay_) return;
  if (code == kVkF12 || code == kVkEscape) return;
  Handle([&] { unit_.FormKeyUp(code); }, "keyup " + std::to_string(code));
  TraceKey("done", code);
}

void Session::Press(Control control) {
  if (replay_) return;
  Handle([&] { unit_.Press(control); }, "press " + std::string(InfoOf(control).name));
}

void Session::Release(Control control) {
  // The lid has no release operation: nothing happens and nothing is recorded.
  if (replay_ || !InfoOf(control).has_release) return;
  Handle([&] { unit_.Release(control); }, "release " + std::string(InfoOf(control).name));
}

// The binding decides, as for its key (the unit knows whether the left
// shoulder opens the lid or is ACL); the control it drives is what is recorded.
void Session::PadDown(Control control, bool repeat) {
  if (replay_) return;
  const auto c = unit_.ControlOfBinding(InfoOf(control).binding);
  if (!c) return;
  const auto press = [&] { unit_.Press(*c); };
  const std::string command = "press " + std::string(InfoOf(*c).name);
  repeat ? HandleRepeat(press, command) : Handle(press, command);
}

void Session::PadUp(Control control) {
  if (replay_) return;
  if (auto c = unit_.ControlOfBinding(InfoOf(control).binding)) Release(*c);
}

void Session::AcceptKeys(const std::array<int, kBindingCount>& choices) {
  std::string command = "keys";
  for (int choice : choices) command += ' ' + std::to_string(choice);
  Handle([&] { unit_.AcceptKeys(choices); }, command);
}

void Session::SetOverlays(bool on) {
  Handle([&] { unit_.SetControllerOverlay(on); }, on ? "overlays 1" : "overlays 0");
}

void Session::ResetHiscores() {
  Handle([&] { unit_.ResetHiscores(); }, "hiscores_reset");
}

void Session::StartRecording(const std::filesystem::path& folder, const std::string& version) {
  RecordingStart start;
  start.version = version;
  start.date =
      QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")).toStdString();
  start.seed = seed_;
  // The `clock` line acts at the unit's time 0.
  start.clock_ms = ((unit_.TimeOfDayMs() - unit_.Now()) % kDayMs + kDayMs) % kDayMs;
  recorder_ = std::make_unique<Recorder>(folder / RecordingName(std::chrono::system_clock::now()),
                                         start, unit_);
  if (!recorder_->ok()) {
    std::fprintf(stderr, "tiko: cannot write a recording in %s\n", folder.c_str());
    recorder_.reset();
    return;
  }
  PruneRecordings(folder);
}

void Session::FinishRecording() {
  if (!recorder_) return;
  host_.Sync();
  Observe();
  recorder_->Finish(unit_.Now(), unit_.vars(), DumpText(unit_));
  recorder_.reset();
}

std::filesystem::path Session::RecordingFile() const {
  return recorder_ ? recorder_->file() : std::filesystem::path();
}

}  // namespace tiko

namespace tiko {

bool Session::LoadReplay(const std::filesystem::path& file, std::string* why) {
  std::ifstream in(file);
  if (!in) {
    if (why) *why = "cannot read " + file.string();
    return false;
  }
  replay_ = std::make_unique<ReplayPlayer>(
      unit_,
      [this] {
        if (changed_) changed_();
      },
      [this] {
        if (on_replay_state) on_replay_state();
      });
  replay_->SetSteps(ReadSteps(in));
  return true;
}

void Session::StartReplay() {
  if (replay_) replay_->Start();
}

}  // namespace tiko
