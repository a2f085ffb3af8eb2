// Game controllers in the window: each button acts as its key binding would,
// and the hints name the buttons while a controller is connected.
#include <gtest/gtest.h>

#include "fake_skin.h"
#include "tests/support/virtual_pad.h"

namespace tiko {
namespace {

using test::FormFixture;
using test::VirtualPad;

struct PadFixture : FormFixture {
  PadFixture() {
    test::NoRealPads();
    Create();
    form->gamepads().SetClock([this] { return now; });
    form->gamepads().AssumeDevices();
    form->StartGamepads();
  }
  void Poll() { form->gamepads().Poll(); }
  std::int64_t now = 0;
};

TEST(WindowPadTest, ButtonsActAsTheirKeyBindingsWould) {
  PadFixture f;
  const Mode& mode = f.form->unit().vars().mode;
  VirtualPad pad;
  f.Poll();

  // Holding the left shoulder on the closed unit, as holding '5': the press
  // opens it, the first repeat presses ACL, and the unit stays reset until
  // the release.
  pad.Button(SDL_CONTROLLER_BUTTON_LEFTSHOULDER, true);
  f.Poll();
  EXPECT_EQ(mode, Mode::kAllSegments);
  f.now = Gamepads::kRepeatDelayMs;
  f.Poll();
  EXPECT_EQ(mode, Mode::kAclHeld);
  f.now += Gamepads::kRepeatMs;
  f.Poll();
  EXPECT_EQ(mode, Mode::kAclHeld);
  pad.Button(SDL_CONTROLLER_BUTTON_LEFTSHOULDER, false);
  f.Poll();
  EXPECT_EQ(mode, Mode::kAllSegments);

  // Start held shows the high score; the controller going releases it, and
  // the release starts Game A as a key's would.
  pad.Button(SDL_CONTROLLER_BUTTON_START, true);
  f.Poll();
  EXPECT_EQ(mode, Mode::kGameAHeld);
  pad.Detach();
  f.Poll();
  EXPECT_EQ(mode, Mode::kGameA);
  EXPECT_TRUE(f.errors.empty());
}

TEST(WindowPadTest, HintsNameThePadButtonsWhileOneIsConnected) {
  PadFixture f;
  TForm1& form = *f.form;
  const QString game_a = "click or press '1' to start game A (hold to view highscore)";
  EXPECT_EQ(form.HintAt({15, 175}), game_a);
  {
    VirtualPad pad;
    f.Poll();
    EXPECT_EQ(form.HintAt({60, 60}), "click or press '5' or pad LB to open the game");
    EXPECT_EQ(form.HintAt({15, 175}),
              "click or press '1' or pad Start to start game A (hold to view highscore)");
    EXPECT_EQ(form.HintAt({155, 255}), "click or press 'ctrl' key or pad A/B");
    form.unit().SetControllerOverlay(false);
    EXPECT_EQ(form.HintAt({35, 235}),
              "activate the controller overlays or use 'up arrow' key, 'left arrow' key, "
              "'right arrow' key, 'down arrow' key, or the pad's d-pad or left stick");
    form.unit().SetControllerOverlay(true);
  }
  f.Poll();
  EXPECT_EQ(form.HintAt({15, 175}), game_a);
}

}  // namespace
}  // namespace tiko
