#include "input/gamepad/gamepads.h"

#include <SDL.h>

#include <QElapsedTimer>
#include <algorithm>
#include <memory>
#include <utility>

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
                   std::function<void()> changed)
    : press_(std::move(press)), release_(std::move(release)), changed_(std::move(changed)) {
  auto clock = std::make_shared<QElapsedTimer>();
  clock->start();
  now_ = [clock] { return clock->elapsed(); };
  connect(&timer_, &QTimer::timeout, this, [this] { Poll(); });
}

Gamepads::~Gamepads() {
  if (!started_) return;
  for (const Pad& pad : pads_) SDL_GameControllerClose(pad.controller);
  SDL_QuitSubSystem(SDL_INIT_GAMECONTROLLER);
}

bool Gamepads::Start() {
  if (started_) return true;
  if (SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER) != 0) return false;
  // Read here, not queued for an event loop nobody runs.
  SDL_GameControllerEventState(SDL_IGNORE);
  SDL_JoystickEventState(SDL_IGNORE);
  started_ = true;
  Poll();
  return true;
}

void Gamepads::Open() {
  for (int i = 0; i < SDL_NumJoysticks(); ++i) {
    if (!SDL_IsGameController(i)) continue;
    const std::int32_t id = SDL_JoystickGetDeviceInstanceID(i);
    if (std::any_of(pads_.begin(), pads_.end(), [id](const Pad& p) { return p.id == id; })) {
      continue;
    }
    if (SDL_GameController* controller = SDL_GameControllerOpen(i)) {
      pads_.push_back({controller, id});
    }
  }
}

void Gamepads::Close(const Pad& pad) {
  SDL_GameControllerClose(pad.controller);
}

std::array<bool, kControlCount> Gamepads::Wanted() const {
  std::array<bool, kControlCount> wanted{};
  for (const Pad& pad : pads_) {
    for (const PadButton& b : kButtons) {
      if (SDL_GameControllerGetButton(pad.controller, b.button)) wanted[IndexOf(b.control)] = true;
    }
    const int x = SDL_GameControllerGetAxis(pad.controller, SDL_CONTROLLER_AXIS_LEFTX);
    const int y = SDL_GameControllerGetAxis(pad.controller, SDL_CONTROLLER_AXIS_LEFTY);
    if (x < -kStickDeadZone) wanted[IndexOf(Control::kLeft)] = true;
    if (x > kStickDeadZone) wanted[IndexOf(Control::kRight)] = true;
    if (y < -kStickDeadZone) wanted[IndexOf(Control::kUp)] = true;
    if (y > kStickDeadZone) wanted[IndexOf(Control::kDown)] = true;
  }
  return wanted;
}

void Gamepads::Poll() {
  if (!started_) return;
  SDL_GameControllerUpdate();  // also finds the controllers that came
  bool gone = false;
  std::erase_if(pads_, [&](const Pad& pad) {
    if (SDL_GameControllerGetAttached(pad.controller)) return false;
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
  const int interval = pads_.empty() ? kWatchMs : kPollMs;
  if (!timer_.isActive() || timer_.interval() != interval) timer_.start(interval);
}

}  // namespace tiko
