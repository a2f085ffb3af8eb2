// Game controllers as the unit's controls: the d-pad and left stick as the
// cross, A and B as JUMP, Start as GAME A, Back as GAME B, the right shoulder
// as TIME and the left shoulder as ACL (the lid while the unit is closed).
// A held control repeats its press as a held key does. SDL has no blocking
// wait without its video part, so the controllers are read every frame while
// one is connected and looked for now and then while none is.
#pragma once

#include <QObject>
#include <QTimer>
#include <array>
#include <cstdint>
#include <functional>
#include <string_view>
#include <vector>

#include "engine/keys/controls.h"

struct _SDL_GameController;

namespace tiko {

// The controller's name of the button that drives `control`.
std::string_view PadButtonOf(Control control);

class Gamepads : public QObject {
 public:
  static constexpr int kPollMs = 16;
  static constexpr int kWatchMs = 1500;
  static constexpr int kRepeatDelayMs = 500;
  static constexpr int kRepeatMs = 33;
  static constexpr int kStickDeadZone = 16000;

  // `press` gets the control (kAcl for the shoulder that also opens the lid)
  // and whether it is a repeat; `changed` is told when a controller comes or goes.
  Gamepads(std::function<void(Control, bool repeat)> press, std::function<void(Control)> release,
           std::function<void()> changed);
  ~Gamepads() override;

  // Opens SDL's game controller part and starts looking; false if it cannot.
  bool Start();
  // Reads every controller once: comings and goings, presses, releases, repeats.
  void Poll();
  bool Connected() const { return !pads_.empty(); }
  // How often the controllers are read now, in milliseconds.
  int PollInterval() const { return timer_.interval(); }
  // The clock for repeats, in milliseconds (tests set their own).
  void SetClock(std::function<std::int64_t()> now) { now_ = std::move(now); }

 private:
  struct Pad {
    _SDL_GameController* controller;
    std::int32_t id;
  };
  void Open();
  void Close(const Pad& pad);
  std::array<bool, kControlCount> Wanted() const;

  std::function<void(Control, bool)> press_;
  std::function<void(Control)> release_;
  std::function<void()> changed_;
  std::function<std::int64_t()> now_;
  std::vector<Pad> pads_;
  std::array<bool, kControlCount> held_{};
  std::array<std::int64_t, kControlCount> next_repeat_{};
  QTimer timer_;
  bool started_ = false;
};

}  // namespace tiko
