// Keys: Qt keys to virtual-key codes, and the window's key handling with
// auto-repeat, F12 and Esc.
#include <gtest/gtest.h>

#include <QKeyEvent>

#include "fake_skin.h"
#include "input/qt_keys.h"

namespace tiko {
namespace {

using testing::FormFixture;

TEST(QtKeysTest, TheKeyListKeysMapToTheirCodes) {
  for (int d = 0; d <= 9; ++d) EXPECT_EQ(VirtualKeyOf(Qt::Key_0 + d, Qt::NoModifier), '0' + d);
  for (int l = 0; l < 26; ++l) EXPECT_EQ(VirtualKeyOf(Qt::Key_A + l, Qt::NoModifier), 'A' + l);
  EXPECT_EQ(VirtualKeyOf(Qt::Key_Up, Qt::NoModifier), 38);
  EXPECT_EQ(VirtualKeyOf(Qt::Key_Down, Qt::NoModifier), 40);
  EXPECT_EQ(VirtualKeyOf(Qt::Key_Left, Qt::NoModifier), 37);
  EXPECT_EQ(VirtualKeyOf(Qt::Key_Right, Qt::NoModifier), 39);
  EXPECT_EQ(VirtualKeyOf(Qt::Key_Alt, Qt::AltModifier), 18);
  EXPECT_EQ(VirtualKeyOf(Qt::Key_Control, Qt::ControlModifier), 17);
  EXPECT_EQ(VirtualKeyOf(Qt::Key_Shift, Qt::ShiftModifier), 16);
  EXPECT_EQ(VirtualKeyOf(Qt::Key_Space, Qt::NoModifier), 32);
}

TEST(QtKeysTest, ModifiersDoNotChangeTheKey) {
  // Shift+5 still is '5'; Ctrl+arrow still the arrow; a keypad digit is its own key.
  EXPECT_EQ(VirtualKeyOf(Qt::Key_Percent, Qt::ShiftModifier), '5');
  EXPECT_EQ(VirtualKeyOf(Qt::Key_ParenRight, Qt::ShiftModifier), '0');
  EXPECT_EQ(VirtualKeyOf(Qt::Key_A, Qt::ShiftModifier | Qt::ControlModifier), 'A');
  EXPECT_EQ(VirtualKeyOf(Qt::Key_Up, Qt::ControlModifier | Qt::KeypadModifier), 38);
  EXPECT_EQ(VirtualKeyOf(Qt::Key_5, Qt::KeypadModifier), 101);
  EXPECT_EQ(VirtualKeyOf(Qt::Key_Eacute, Qt::NoModifier), 0);
}

void Key(QWidget& w, QEvent::Type type, int key, bool repeat = false, QString text = {}) {
  QKeyEvent event(type, key, Qt::NoModifier, text, repeat);
  QApplication::sendEvent(&w, &event);
}

TEST(WindowKeysTest, RepeatsArePressesAndNeverReleases) {
  FormFixture f;
  f.Create();
  TForm1& form = *f.form;
  const int& mode = form.unit().vars().mode;

  // Holding '5' on the closed unit: the press opens it, the first repeat presses
  // ACL; the releases X sends between repeats are not releases.
  Key(form, QEvent::KeyPress, Qt::Key_5, false, "5");
  EXPECT_EQ(mode, 2);
  Key(form, QEvent::KeyRelease, Qt::Key_5, true, "5");
  EXPECT_EQ(mode, 2);
  Key(form, QEvent::KeyPress, Qt::Key_5, true, "5");
  EXPECT_EQ(mode, 1);
  Key(form, QEvent::KeyRelease, Qt::Key_5, true, "5");
  Key(form, QEvent::KeyPress, Qt::Key_5, true, "5");
  EXPECT_EQ(mode, 1);
  Key(form, QEvent::KeyRelease, Qt::Key_5, false, "5");
  EXPECT_EQ(mode, 2);

  // Game A held with repeats stays on the high score until the real release.
  Key(form, QEvent::KeyPress, Qt::Key_1, false, "1");
  Key(form, QEvent::KeyRelease, Qt::Key_1, true, "1");
  Key(form, QEvent::KeyPress, Qt::Key_1, true, "1");
  EXPECT_EQ(mode, 5);
  Key(form, QEvent::KeyRelease, Qt::Key_1, false, "1");
  EXPECT_EQ(mode, 6);
}

TEST(WindowKeysTest, EscEndsTheProgramWithoutTheCloseHandling) {
  FormFixture f;
  f.Create();
  Key(*f.form, QEvent::KeyPress, Qt::Key_Escape);
  EXPECT_EQ(f.terminations, 1);
  EXPECT_EQ(f.output_closes, 0);
  // Closing the window releases the sound output and ends the program, even
  // with another window of it still open.
  f.form->close();
  EXPECT_EQ(f.output_closes, 1);
  EXPECT_EQ(f.terminations, 2);
}

}  // namespace
}  // namespace tiko

namespace tiko {
namespace {

// A held arrow key on the real clock: X repeats the key every 33 ms, but the
// hero steps at most once per step time, about twice a second.
TEST(WindowKeysTest, AHeldArrowMovesTheHeroTwiceASecond) {
  std::int64_t now = 0;
  FormFixture f;
  f.form->host().SetClockForTesting([&] { return now; });
  f.Create();
  TForm1& form = *f.form;
  Unit& unit = form.unit();
  auto advance_to = [&](std::int64_t t) {
    while (auto due = unit.timers().NextDue()) {
      if (*due > t) break;
      now = *due;
      form.host().Fire();
    }
    now = t;
  };

  Key(form, QEvent::KeyPress, Qt::Key_5);
  Key(form, QEvent::KeyRelease, Qt::Key_5);
  Key(form, QEvent::KeyPress, Qt::Key_1);
  Key(form, QEvent::KeyRelease, Qt::Key_1);
  advance_to(4100);
  ASSERT_TRUE(unit.vars().play_active);
  ASSERT_EQ(unit.vars().hero_col, 1);
  ASSERT_EQ(unit.vars().hero_row, 5);

  // Right held from 4100 ms: (1, 5) -> (2, 5) at once, (3, 5) one step time later.
  std::vector<std::pair<std::int64_t, int>> moves;
  int col = 1;
  Key(form, QEvent::KeyPress, Qt::Key_Right);
  for (std::int64_t t = 4100; t <= 5100; t += 33) {
    advance_to(t);
    if (t > 4100) {
      Key(form, QEvent::KeyRelease, Qt::Key_Right, true);
      Key(form, QEvent::KeyPress, Qt::Key_Right, true);
    }
    if (unit.vars().hero_col != col) {
      col = unit.vars().hero_col;
      moves.emplace_back(t, col);
    }
  }
  ASSERT_EQ(moves.size(), 2u);
  EXPECT_EQ(moves[0], std::make_pair(std::int64_t{4100}, 2));
  EXPECT_EQ(moves[1].second, 3);
  EXPECT_GE(moves[1].first - moves[0].first, 466);
  EXPECT_LT(moves[1].first - moves[0].first, 466 + 33);

  // The real release ends the hold.
  Key(form, QEvent::KeyRelease, Qt::Key_Right);
  EXPECT_FALSE(unit.scene().Visible(btn_cross_down));
}

}  // namespace
}  // namespace tiko
