#include "input/gamepad/gamepads.h"

#include <QElapsedTimer>
#include <algorithm>
#include <cstdio>
#include <memory>
#include <utility>

#include "sdl/sdl_library.h"

namespace tiko {

namespace {

struct PadButton {
  SDL_GameControllerButton button;
  Control control;
};

constexpr PadButton kButtons[] = {
    {SDL_CONTROLLER_BUTTON_DPAD_UP, Control::kUp},
    {SDL_CONTROLLER_BUTTON_DPAD_DOWN, Control::kDown},
    {SDL_CONTROLLER_BUTTON_DPAD_LEFT, Control::kLeft},
    {SDL_CONTROLLER_BUTTON_DPAD_RIGHT, Control::kRight},
    {SDL_CONTROLLER_BUTTON_A, Control::kJump},
    {SDL_CONTROLLER_BUTTON_B, Control::kJump},
    {SDL_CONTROLLER_BUTTON_START, Control::kGameA},
    {SDL_CONTROLLER_BUTTON_BACK, Control::kGameB},
    {SDL_CONTROLLER_BUTTON_RIGHTSHOULDER, Control::kTime},
    {SDL_CONTROLLER_BUTTON_LEFTSHOULDER, Control::kAcl},
};

int IndexOf(Control control) {
  return static_cast<int>(control);
}

}  // namespace

std::string_view PadButtonOf(Control control) {
  return InfoOf(control).pad;
}

Gamepads::Gamepads(std::function<void(Control, bool)> press, std::function<void(Control)> release,
                   std::function<void()> changed, JoystickPlaces places)
    : press_(std::move(press)),
      release_(std::move(release)),
      changed_(std::move(changed)),
      places_(std::move(places)) {
  auto clock = std::make_shared<QElapsedTimer>();
  clock->start();
  now_ = [clock] { return clock->elapsed(); };
  connect(&timer_, &QTimer::timeout, this, [this] { Poll(); });
}

Gamepads::~Gamepads() {
  if (sdl_ == nullptr) return;
  for (const Pad& pad : pads_) Close(pad);
  sdl_->SDL_QuitSubSystem(SDL_INIT_GAMECONTROLLER);
}

bool Gamepads::Start() {
  if (started_) return !failed_;
  started_ = true;
  // Watched from here on: the first frame need not wait for the device folders.
  watch_ = std::make_unique<JoystickWatch>([this] { Refresh(); }, places_);
  Refresh();
  return !failed_;
}

void Gamepads::AssumeDevices() {
  assume_devices_ = true;
  Refresh();
}

// A device came or went: SDL starts reading when one may be there, and stops
// once none is and no controller is left open.
void Gamepads::Refresh() {
  if (!started_ || failed_) return;
  if (sdl_ == nullptr && DevicesMayBeThere() && !StartReading()) return;
  Poll();
}

bool Gamepads::StartReading() {
  const sdl::Api* sdl = sdl::Load();
  if (sdl == nullptr) {
    failed_ = true;
    const std::string error = sdl::TakeUntoldError();
    if (!error.empty()) {
      std::fprintf(stderr, "tiko: no game controllers: %s\n", error.c_str());
    }
    return false;
  }
  // The Qt program handles Ctrl+C and termination itself.
  sdl->SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
  if (sdl->SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER) != 0) {
    failed_ = true;
    std::fprintf(stderr, "tiko: no game controllers: SDL cannot start them (%s)\n",
                 sdl->SDL_GetError());
    return false;
  }
  // Read here, not queued for an event loop nobody runs.
  sdl->SDL_GameControllerEventState(SDL_IGNORE);
  sdl->SDL_JoystickEventState(SDL_IGNORE);
  sdl_ = sdl;
  return true;
}

void Gamepads::StopReading() {
  timer_.stop();
  sdl_->SDL_QuitSubSystem(SDL_INIT_GAMECONTROLLER);
  sdl_ = nullptr;
}

void Gamepads::Open() {
  for (int i = 0; i < sdl_->SDL_NumJoysticks(); ++i) {
    if (!sdl_->SDL_IsGameController(i)) continue;
    const std::int32_t id = sdl_->SDL_JoystickGetDeviceInstanceID(i);
    if (std::any_of(pads_.begin(), pads_.end(), [id](const Pad& p) { return p.id == id; })) {
      continue;
    }
    if (SDL_GameController* controller = sdl_->SDL_GameControllerOpen(i)) {
      pads_.push_back({controller, id});
    }
  }
}

void Gamepads::Close(const Pad& pad) {
  sdl_->SDL_GameControllerClose(pad.controller);
}

std::array<bool, kControlCount> Gamepads::Wanted() const {
  std::array<bool, kControlCount> wanted{};
  for (const Pad& pad : pads_) {
    for (const PadButton& b : kButtons) {
      if (sdl_->SDL_GameControllerGetButton(pad.controller, b.button))
        wanted[IndexOf(b.control)] = true;
    }
    const int x = sdl_->SDL_GameControllerGetAxis(pad.controller, SDL_CONTROLLER_AXIS_LEFTX);
    const int y = sdl_->SDL_GameControllerGetAxis(pad.controller, SDL_CONTROLLER_AXIS_LEFTY);
    if (x < -kStickDeadZone) wanted[IndexOf(Control::kLeft)] = true;
    if (x > kStickDeadZone) wanted[IndexOf(Control::kRight)] = true;
    if (y < -kStickDeadZone) wanted[IndexOf(Control::kUp)] = true;
    if (y > kStickDeadZone) wanted[IndexOf(Control::kDown)] = true;
  }
  return wanted;
}

void Gamepads::Poll() {
  if (sdl_ == nullptr) return;
  sdl_->SDL_GameControllerUpdate();  // also finds the controllers that came
  bool gone = false;
  std::erase_if(pads_, [&](const Pad& pad) {
    if (sdl_->SDL_GameControllerGetAttached(pad.controller)) return false;
    Close(pad);
    gone = true;
    return true;
  });
  const std::size_t kept = pads_.size();
  Open();
  const bool came = pads_.size() > kept;

  // A control that stops being held, also by a controller that went, is released.
  const std::array<bool, kControlCount> wanted = Wanted();
  const std::int64_t now = now_();
  for (int i = 0; i < kControlCount; ++i) {
    const Control control = kControls[i].control;
    if (held_[i] && !wanted[i]) {
      held_[i] = false;
      release_(control);
    } else if (!held_[i] && wanted[i]) {
      held_[i] = true;
      next_repeat_[i] = now + kRepeatDelayMs;
      press_(control, false);
    } else if (held_[i] && now >= next_repeat_[i]) {
      next_repeat_[i] = now + kRepeatMs;
      press_(control, true);
    }
  }

  if (gone || came) {
    if (changed_) changed_();
  }
  if (pads_.empty() && !DevicesMayBeThere()) {
    StopReading();
    return;
  }
  const int interval = pads_.empty() ? kWatchMs : kPollMs;
  if (!timer_.isActive() || timer_.interval() != interval) timer_.start(interval);
}

}  // namespace tiko
