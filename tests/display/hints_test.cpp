// The button hints, built from the keys bound to the buttons.
#include "display/hints.h"

#include <gtest/gtest.h>

#include "fake_skin.h"

namespace tiko {
namespace {

using test::FormFixture;

TEST(HintsTest, DefaultKeys) {
  FormFixture f;
  f.Create();
  TForm1& form = *f.form;
  EXPECT_EQ(form.HintAt({60, 60}), "click or press '5' to open the game");
  EXPECT_EQ(form.HintAt({15, 175}), "click or press '1' to start game A (hold to view highscore)");
  EXPECT_EQ(form.HintAt({55, 175}), "click or press '2' to start game B (hold to view highscore)");
  EXPECT_EQ(form.HintAt({95, 175}),
            "click or press '3' to view current time (hold to view alarm time)");
  EXPECT_EQ(form.HintAt({135, 175}), "click or press '5' to reset the game");
  EXPECT_EQ(form.HintAt({175, 175}), "button disabled");
  EXPECT_EQ(form.HintAt({155, 255}), "click or press 'ctrl' key");
  EXPECT_EQ(form.HintAt({35, 235}), "click or press 'up arrow' key");
  EXPECT_EQ(form.HintAt({15, 255}), "click or press 'left arrow' key");
  EXPECT_EQ(form.HintAt({55, 255}), "click or press 'right arrow' key");
  EXPECT_EQ(form.HintAt({35, 275}), "click or press 'down arrow' key");
  // The body tells how to zoom; Ctrl+0 only once Ctrl is no control's key.
  const QString body = form.HintAt({100, 200});
  EXPECT_TRUE(body.contains("+ and - zoom") && body.contains("keypad 0")) << body.toStdString();
  EXPECT_FALSE(body.contains("Ctrl"));
  test::Rebind(form.unit(), 9, 44);
  form.UpdateHints();
  EXPECT_TRUE(form.HintAt({100, 200}).endsWith("Ctrl+0"));

  form.unit().SetControllerOverlay(false);
  EXPECT_EQ(form.HintAt({35, 235}),
            "activate the controller overlays or use 'up arrow' key, 'left arrow' key, "
            "'right arrow' key, 'down arrow' key");
  form.pm_10_fullscreenClick();
  EXPECT_TRUE(form.HintAt(form.WindowPoint({100, 200})).isEmpty())
      << "nothing to drag or zoom in fullscreen";
}

TEST(HintsTest, FollowTheBindingsWhenRefreshed) {
  FormFixture f;
  f.store.values["Key4"] = "44";  // spacebar
  f.store.values["Key9"] = "11";  // A
  f.store.values["Key5"] = "99";  // out of the list
  f.Create();
  Unit& unit = f.form->unit();
  EXPECT_EQ(HintOf(unit, btn_open), "click or press 'spacebar' to open the game");
  EXPECT_EQ(HintOf(unit, btn_jump_top), "click or press 'A'");
  EXPECT_EQ(HintOf(unit, btn_ctrlr_overlay_up).rfind("click or press ", 0), 0u);

  std::array<int, kBindingCount> choices{};
  for (int n = 1; n <= kBindingCount; ++n) choices[n - 1] = unit.key_bindings()[n].key_choice;
  choices[8] = 43;
  unit.AcceptKeys(choices);
  EXPECT_EQ(f.form->HintAt({155, 255}), "click or press 'A'");
  f.form->UpdateHints();
  EXPECT_EQ(f.form->HintAt({155, 255}), "click or press 'shift' key");
}

}  // namespace
}  // namespace tiko
