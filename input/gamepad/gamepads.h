// Game controllers as the unit's controls: the d-pad and left stick as the
// cross, A and B as JUMP, Start as GAME A, Back as GAME B, the right shoulder
// as TIME and the left shoulder as ACL (the lid while the unit is closed).
// A held control repeats its press as a held key does. SDL is loaded and its
// controller part started only once a joystick device may be present (a
// JoystickWatch says so); until then nothing is read and no timer runs. SDL
// has no blocking wait without its video part, so the controllers are read
// every frame while one is connected, and looked for now and then while a
// joystick device is there that SDL has not made a controller of.
#pragma once

#include <QObject>
#include <QTimer>
#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string_view>
#include <vector>

#include "engine/keys/controls.h"
#include "input/gamepad/joystick_watch.h"

struct _SDL_GameController;

namespace tiko {

namespace sdl {
struct Api;
}

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
  // `places` are where joystick devices show (tests give folders of their own).
  Gamepads(std::function<void(Control, bool repeat)> press, std::function<void(Control)> release,
           std::function<void()> changed, JoystickPlaces places = {});
  ~Gamepads() override;

  // Starts watching for joystick devices, and reading them once one may be
  // there. False once SDL could not be loaded or started: no controllers then.
  bool Start();
  // From now on a controller may be present whatever the device folders say
  // (SDL's virtual joysticks in tests).
  void AssumeDevices();
  // Whether SDL's controller part is running.
  bool Reading() const { return sdl_ != nullptr; }
  // Reads every controller once: comings and goings, presses, releases, repeats.
  void Poll();
  bool Connected() const { return !pads_.empty(); }
  // How often the controllers are read now, in milliseconds; 0 while they are not.
  int PollInterval() const { return timer_.isActive() ? timer_.interval() : 0; }
  // The clock for repeats, in milliseconds (tests set their own).
  void SetClock(std::function<std::int64_t()> now) { now_ = std::move(now); }

 private:
  struct Pad {
    _SDL_GameController* controller;
    std::int32_t id;
  };
  bool DevicesMayBeThere() const { return assume_devices_ || (watch_ && watch_->Present()); }
  void Refresh();
  bool StartReading();
  void StopReading();
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
  JoystickPlaces places_;
  std::unique_ptr<JoystickWatch> watch_;  // from Start on
  const sdl::Api* sdl_ = nullptr;         // while SDL's controller part runs
  bool started_ = false;
  bool failed_ = false;
  bool assume_devices_ = false;
};

}  // namespace tiko
