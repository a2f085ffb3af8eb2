// Game controllers as the unit's controls, over SDL's virtual joystick.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <string>
#include <vector>

#include "input/gamepad/gamepads.h"
#include "tests/support/virtual_pad.h"

namespace tiko {
namespace {

using test::VirtualPad;

// What the controllers told the window, as "+name", "*name" (a repeat),
// "-name" and "changed".
std::string Event(char sign, std::string_view name) {
  std::string event(1, sign);
  event.append(name);
  return event;
}

struct Recorder {
  std::vector<std::string> events;
  std::int64_t now = 0;
  Gamepads pads{[this](Control c, bool repeat) {
                  events.push_back(Event(repeat ? '*' : '+', InfoOf(c).name));
                },
                [this](Control c) { events.push_back(Event('-', InfoOf(c).name)); },
                [this] { events.push_back("changed"); }};
  Recorder() {
    pads.SetClock([this] { return now; });
    EXPECT_TRUE(pads.Start());
  }
  std::vector<std::string> Take() {
    pads.Poll();
    return std::exchange(events, {});
  }
};

using Events = std::vector<std::string>;

TEST(GamepadTest, EveryButtonAndTheStickDriveTheirControl) {
  Recorder r;
  VirtualPad pad;
  ASSERT_TRUE(pad.Attached());
  EXPECT_EQ(r.Take(), Events{"changed"});
  const std::pair<SDL_GameControllerButton, const char*> buttons[] = {
      {SDL_CONTROLLER_BUTTON_DPAD_UP, "up"},
      {SDL_CONTROLLER_BUTTON_DPAD_DOWN, "down"},
      {SDL_CONTROLLER_BUTTON_DPAD_LEFT, "left"},
      {SDL_CONTROLLER_BUTTON_DPAD_RIGHT, "right"},
      {SDL_CONTROLLER_BUTTON_A, "jump"},
      {SDL_CONTROLLER_BUTTON_B, "jump"},
      {SDL_CONTROLLER_BUTTON_START, "game_a"},
      {SDL_CONTROLLER_BUTTON_BACK, "game_b"},
      {SDL_CONTROLLER_BUTTON_RIGHTSHOULDER, "time"},
      {SDL_CONTROLLER_BUTTON_LEFTSHOULDER, "acl"},
  };
  for (const auto& [button, name] : buttons) {
    pad.Button(button, true);
    EXPECT_EQ(r.Take(), Events{Event('+', name)}) << name;
    pad.Button(button, false);
    EXPECT_EQ(r.Take(), Events{Event('-', name)}) << name;
  }
  // Buttons with no control do nothing.
  pad.Button(SDL_CONTROLLER_BUTTON_X, true);
  pad.Button(SDL_CONTROLLER_BUTTON_GUIDE, true);
  EXPECT_EQ(r.Take(), Events{});

  const std::pair<int, const char*> stick[] = {{-30000, "left"}, {30000, "right"}};
  for (const auto& [value, name] : stick) {
    pad.Axis(SDL_CONTROLLER_AXIS_LEFTX, value);
    EXPECT_EQ(r.Take(), Events{Event('+', name)});
    pad.Axis(SDL_CONTROLLER_AXIS_LEFTX, 0);
    EXPECT_EQ(r.Take(), Events{Event('-', name)});
  }
  pad.Axis(SDL_CONTROLLER_AXIS_LEFTY, -30000);
  EXPECT_EQ(r.Take(), Events{"+up"});
  pad.Axis(SDL_CONTROLLER_AXIS_LEFTY, 30000);
  EXPECT_EQ(r.Take(), (Events{"-up", "+down"}));
  // A slight tilt is no press; the right stick is none either.
  pad.Axis(SDL_CONTROLLER_AXIS_LEFTY, Gamepads::kStickDeadZone - 1);
  pad.Axis(SDL_CONTROLLER_AXIS_RIGHTX, 30000);
  EXPECT_EQ(r.Take(), Events{"-down"});
}

TEST(GamepadTest, ControllersComeAndGoAndAHeldControlIsReleased) {
  Recorder r;
  EXPECT_FALSE(r.pads.Connected());
  EXPECT_EQ(r.pads.PollInterval(), Gamepads::kWatchMs);  // only a slow look while none is there
  {
    VirtualPad pad;
    EXPECT_EQ(r.Take(), Events{"changed"});
    EXPECT_TRUE(r.pads.Connected());
    EXPECT_EQ(r.pads.PollInterval(), Gamepads::kPollMs);
    pad.Button(SDL_CONTROLLER_BUTTON_A, true);
    pad.Button(SDL_CONTROLLER_BUTTON_START, true);
    EXPECT_EQ(r.Take(), (Events{"+game_a", "+jump"}));

    // A second controller holding the same control adds no press, and its
    // going releases nothing another still holds.
    VirtualPad second;
    second.Button(SDL_CONTROLLER_BUTTON_B, true);
    EXPECT_EQ(r.Take(), Events{"changed"});
    pad.Detach();
    EXPECT_EQ(r.Take(), (Events{"-game_a", "changed"}));
    EXPECT_TRUE(r.pads.Connected());
  }
  EXPECT_EQ(r.Take(), (Events{"-jump", "changed"}));
  EXPECT_FALSE(r.pads.Connected());
  EXPECT_EQ(r.pads.PollInterval(), Gamepads::kWatchMs);
}

TEST(GamepadTest, AHeldControlRepeatsAsAHeldKey) {
  Recorder r;
  VirtualPad pad;
  r.Take();
  pad.Button(SDL_CONTROLLER_BUTTON_DPAD_RIGHT, true);
  EXPECT_EQ(r.Take(), Events{"+right"});
  r.now = Gamepads::kRepeatDelayMs - 1;
  EXPECT_EQ(r.Take(), Events{});
  r.now = Gamepads::kRepeatDelayMs;
  EXPECT_EQ(r.Take(), Events{"*right"});
  r.now += Gamepads::kRepeatMs - 1;
  EXPECT_EQ(r.Take(), Events{});
  r.now += 1;
  EXPECT_EQ(r.Take(), Events{"*right"});
  // The stick on the same side keeps it held when the d-pad lets go.
  pad.Axis(SDL_CONTROLLER_AXIS_LEFTX, 30000);
  pad.Button(SDL_CONTROLLER_BUTTON_DPAD_RIGHT, false);
  r.now += 1;
  EXPECT_EQ(r.Take(), Events{});
  pad.Axis(SDL_CONTROLLER_AXIS_LEFTX, 0);
  EXPECT_EQ(r.Take(), Events{"-right"});
  r.now += 10 * Gamepads::kRepeatDelayMs;
  EXPECT_EQ(r.Take(), Events{});
}

}  // namespace
}  // namespace tiko

int main(int argc, char** argv) {
  tiko::test::NoRealPads();
  QCoreApplication app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
