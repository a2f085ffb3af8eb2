// Game controllers as the unit's controls, over SDL's virtual joystick; and
// SDL read only while a joystick device may be there.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QSaveFile>
#include <QTemporaryDir>
#include <fstream>
#include <set>
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

// Device folders of the test's own, empty until it puts a device there.
struct Places {
  QTemporaryDir dir;
  JoystickPlaces places{dir.filePath("input"), dir.filePath("udev/data")};
  Places() { QDir(dir.path()).mkpath("input"); }
  // Written as udev does: a temporary file renamed into place.
  void UdevData(const QString& name, const QByteArray& text) {
    QDir(dir.path()).mkpath("udev/data");
    QSaveFile file(places.udev_data + "/" + name);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(text);
    ASSERT_TRUE(file.commit());
  }
  void JsNode(const QString& name) {
    QFile file(places.input + "/" + name);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  }
};

// Runs the event loop until `done`, for at most 5 s (a loaded machine).
bool Eventually(const std::function<bool()>& done) {
  QElapsedTimer waited;
  waited.start();
  while (!done() && waited.elapsed() < 5000) {
    QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 20);
  }
  return done();
}

// Lets the file watcher's news arrive.
void Settle() {
  QElapsedTimer waited;
  waited.start();
  while (waited.elapsed() < 200) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 20);
}

struct Recorder {
  Places folders;
  std::vector<std::string> events;
  std::int64_t now = 0;
  Gamepads pads{[this](Control c, bool repeat) {
                  events.push_back(Event(repeat ? '*' : '+', InfoOf(c).name));
                },
                [this](Control c) { events.push_back(Event('-', InfoOf(c).name)); },
                [this] { events.push_back("changed"); }, folders.places};
  explicit Recorder(bool assume_devices = true) {
    pads.SetClock([this] { return now; });
    if (assume_devices) pads.AssumeDevices();
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

TEST(GamepadTest, SdlIsReadOnlyWhileAJoystickDeviceMayBeThere) {
  Recorder r(/*assume_devices=*/false);
  EXPECT_FALSE(r.pads.Reading());
  EXPECT_EQ(r.pads.PollInterval(), 0);  // no timer at all

  // A js node (the joydev driver's) starts SDL; it is looked at now and then
  // until SDL makes a controller of it.
  r.folders.JsNode("js0");
  ASSERT_TRUE(Eventually([&] { return r.pads.Reading(); }));
  EXPECT_EQ(r.pads.PollInterval(), Gamepads::kWatchMs);
  QFile::remove(r.folders.places.input + "/js0");
  ASSERT_TRUE(Eventually([&] { return !r.pads.Reading(); }));
  EXPECT_EQ(r.pads.PollInterval(), 0);

  // udev's data of an input device: only a joystick's counts.
  r.folders.UdevData("c13:65", "I:1\nE:ID_INPUT=1\nE:ID_INPUT_KEYBOARD=1\n");
  r.folders.UdevData("b8:0", "E:ID_INPUT_JOYSTICK=1\n");
  Settle();
  EXPECT_FALSE(r.pads.Reading());
  r.folders.UdevData("c13:66", "I:1\nE:ID_INPUT=1\nE:ID_INPUT_JOYSTICK=1\nG:uaccess\n");
  ASSERT_TRUE(Eventually([&] { return r.pads.Reading(); }));

  // A controller connected keeps SDL reading after the device data goes,
  // until it goes too.
  VirtualPad pad;
  EXPECT_EQ(r.Take(), Events{"changed"});
  pad.Button(SDL_CONTROLLER_BUTTON_A, true);
  EXPECT_EQ(r.Take(), Events{"+jump"});
  QFile::remove(r.folders.places.udev_data + "/c13:66");
  Settle();
  EXPECT_TRUE(r.pads.Reading());
  pad.Detach();
  EXPECT_EQ(r.Take(), (Events{"-jump", "changed"}));
  EXPECT_FALSE(r.pads.Reading());
  EXPECT_EQ(r.pads.PollInterval(), 0);
}

TEST(GamepadTest, DeviceFoldersThatAreNotThereYetAreWaitedFor) {
  Places folders;
  QDir(folders.dir.path()).rmdir("input");
  int told = 0;
  JoystickWatch watch([&] { ++told; }, folders.places);
  EXPECT_FALSE(watch.Present());
  QDir(folders.dir.path()).mkpath("input");
  Settle();
  folders.JsNode("js3");
  ASSERT_TRUE(Eventually([&] { return watch.Present(); }));
  EXPECT_EQ(told, 1);
}

// The tests' own SDL and the one the controllers load are the same copy.
TEST(GamepadTest, OneSdlInTheProcess) {
  Recorder r;
  VirtualPad pad;
  EXPECT_EQ(r.Take(), Events{"changed"});
  std::ifstream maps("/proc/self/maps");
  std::set<std::string> files;
  for (std::string line; std::getline(maps, line);) {
    if (line.find("libSDL2") != std::string::npos) files.insert(line.substr(line.find('/')));
  }
  EXPECT_EQ(files.size(), 1u);
}

}  // namespace
}  // namespace tiko

int main(int argc, char** argv) {
  tiko::test::NoRealPads();
  QCoreApplication app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
