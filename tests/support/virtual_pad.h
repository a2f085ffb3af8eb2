// A game controller made of SDL's virtual joystick, so that the tests need no
// device: its buttons and axes are SDL's game controller ones, in their order.
#pragma once

#include <SDL.h>

#include <cstdlib>

namespace tiko::test {

// Keeps real devices out of the tests; call before SDL opens its joysticks.
inline void NoRealPads() {
  setenv("SDL_JOYSTICK_DISABLE_UDEV", "1", 1);
  SDL_SetHint(SDL_HINT_JOYSTICK_HIDAPI, "0");
  SDL_SetHint(SDL_HINT_JOYSTICK_RAWINPUT, "0");
}

class VirtualPad {
 public:
  VirtualPad() {
    SDL_InitSubSystem(SDL_INIT_JOYSTICK);
    SDL_VirtualJoystickDesc desc{};
    desc.version = SDL_VIRTUAL_JOYSTICK_DESC_VERSION;
    desc.type = SDL_JOYSTICK_TYPE_GAMECONTROLLER;
    desc.naxes = SDL_CONTROLLER_AXIS_MAX;
    desc.nbuttons = SDL_CONTROLLER_BUTTON_MAX;
    desc.name = "test pad";
    const int index = SDL_JoystickAttachVirtualEx(&desc);
    id_ = SDL_JoystickGetDeviceInstanceID(index);
    joystick_ = SDL_JoystickOpen(index);
  }
  ~VirtualPad() {
    Detach();
    SDL_QuitSubSystem(SDL_INIT_JOYSTICK);
  }
  VirtualPad(const VirtualPad&) = delete;
  VirtualPad& operator=(const VirtualPad&) = delete;

  bool Attached() const { return joystick_ != nullptr; }
  void Button(SDL_GameControllerButton button, bool down) {
    SDL_JoystickSetVirtualButton(joystick_, button, down ? 1 : 0);
  }
  void Axis(SDL_GameControllerAxis axis, int value) {
    SDL_JoystickSetVirtualAxis(joystick_, axis, static_cast<Sint16>(value));
  }
  void Detach() {
    if (!joystick_) return;
    SDL_JoystickClose(joystick_);
    joystick_ = nullptr;
    for (int i = 0; i < SDL_NumJoysticks(); ++i) {
      if (SDL_JoystickGetDeviceInstanceID(i) == id_) SDL_JoystickDetachVirtual(i);
    }
  }

 private:
  SDL_JoystickID id_ = -1;
  SDL_Joystick* joystick_ = nullptr;
};

}  // namespace tiko::test
