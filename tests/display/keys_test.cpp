// Keys: physical keys to virtual-key codes on any layout, and the window's key
// handling with X's auto-repeat, F12 and Esc.
#include <gtest/gtest.h>
#include <xkbcommon/xkbcommon-keysyms.h>
#include <xkbcommon/xkbcommon.h>

#include <QKeyEvent>
#include <QTest>
#include <array>
#include <vector>

#include "fake_skin.h"
#include "input/keyboard/key_codes.h"
#include "input/keyboard/qt_keys.h"
#include "input/keyboard/x_key_repeats.h"

#ifdef TIKO_HAVE_XKB_X11
#include <xcb/xcb.h>
#endif

namespace tiko {
namespace {

using test::FormFixture;

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

// X key codes over evdev: the number row is 10..19, Q is 24, A 38, Z 52.
TEST(LayoutKeysTest, TheKeyGivesTheCodeWindowsWouldOnEachLayout) {
  auto vk = [](std::uint32_t keycode, std::uint32_t unshifted, std::uint32_t shifted) {
    return VirtualKeyOfSyms(KeySyms{keycode, unshifted, shifted});
  };
  // US: digits and letters as they type.
  EXPECT_EQ(vk(10, XKB_KEY_1, XKB_KEY_exclam), '1');
  EXPECT_EQ(vk(38, XKB_KEY_a, XKB_KEY_A), 'A');
  // French: the number row types symbols and needs Shift for its digits; the
  // letters move; a comma where US has M is no letter.
  EXPECT_EQ(vk(10, XKB_KEY_ampersand, XKB_KEY_1), '1');
  EXPECT_EQ(vk(14, XKB_KEY_parenleft, XKB_KEY_5), '5');
  EXPECT_EQ(vk(11, XKB_KEY_eacute, XKB_KEY_2), '2');
  EXPECT_EQ(vk(24, XKB_KEY_a, XKB_KEY_A), 'A');
  EXPECT_EQ(vk(58, XKB_KEY_comma, XKB_KEY_question), 0);
  // German: Y and Z change places.
  EXPECT_EQ(vk(29, XKB_KEY_z, XKB_KEY_Z), 'Z');
  EXPECT_EQ(vk(52, XKB_KEY_y, XKB_KEY_Y), 'Y');
  EXPECT_EQ(vk(20, XKB_KEY_ssharp, XKB_KEY_question), 0);
  // Russian letters take the US letter at their place.
  EXPECT_EQ(vk(38, XKB_KEY_Cyrillic_ef, XKB_KEY_Cyrillic_EF), 'A');
  // A number row without digits still gives them.
  EXPECT_EQ(vk(19, XKB_KEY_agrave, XKB_KEY_degree), '0');
  // Keys without a character are known by what they are.
  EXPECT_EQ(vk(32, XKB_KEY_space, XKB_KEY_space), ' ');
  EXPECT_EQ(vk(9, XKB_KEY_Escape, XKB_KEY_Escape), std::nullopt);
  EXPECT_EQ(vk(111, XKB_KEY_Up, XKB_KEY_Up), std::nullopt);
  EXPECT_EQ(vk(37, XKB_KEY_Control_L, XKB_KEY_Control_L), std::nullopt);
}

// The zoom keys: '+' and '-' wherever the layout puts them, never a digit of
// the number row, and the keypad's keys whatever NumLock says.
TEST(LayoutKeysTest, ThePlusAndMinusKeysAreKnownByTheirPlace) {
  auto vk = [](std::uint32_t keycode, std::uint32_t unshifted, std::uint32_t shifted) {
    return VirtualKeyOfSyms(KeySyms{keycode, unshifted, shifted});
  };
  EXPECT_EQ(vk(21, XKB_KEY_equal, XKB_KEY_plus), vk::kOemPlus);  // US
  EXPECT_EQ(vk(20, XKB_KEY_minus, XKB_KEY_underscore), vk::kOemMinus);
  EXPECT_EQ(vk(35, XKB_KEY_plus, XKB_KEY_asterisk), vk::kOemPlus);  // German
  EXPECT_EQ(vk(61, XKB_KEY_minus, XKB_KEY_underscore), vk::kOemMinus);
  EXPECT_EQ(vk(15, XKB_KEY_minus, XKB_KEY_6), '6');  // French: '-' on the 6 key
  EXPECT_EQ(vk(20, XKB_KEY_parenright, XKB_KEY_degree), 0);
  EXPECT_EQ(vk(86, XKB_KEY_KP_Add, XKB_KEY_KP_Add), vk::kAdd);
  EXPECT_EQ(vk(82, XKB_KEY_KP_Subtract, XKB_KEY_KP_Subtract), vk::kSubtract);
  EXPECT_EQ(vk(90, XKB_KEY_KP_Insert, XKB_KEY_KP_0), vk::kNumpad0);
  EXPECT_EQ(vk(87, XKB_KEY_KP_End, XKB_KEY_KP_1), vk::kNumpad0 + 1);
  EXPECT_EQ(VirtualKeyOf(Qt::Key_Plus, Qt::ShiftModifier), vk::kOemPlus);
  EXPECT_EQ(VirtualKeyOf(Qt::Key_Minus, Qt::KeypadModifier), vk::kSubtract);
}

// Keymaps compiled from xkeyboard-config, as an X server or a Wayland
// compositor hands them out; a key is named by its evdev code + 8.
class KeymapKeysTest : public ::testing::Test {
 protected:
  KeymapKeysTest() : context_(xkb_context_new(XKB_CONTEXT_NO_ENVIRONMENT_NAMES)) {}
  ~KeymapKeysTest() override {
    for (xkb_keymap* keymap : keymaps_) xkb_keymap_unref(keymap);
    xkb_context_unref(context_);
  }
  xkb_keymap* Keymap(const char* layout) {
    const xkb_rule_names names{"evdev", "pc105", layout, "", ""};
    xkb_keymap* keymap = xkb_keymap_new_from_names(context_, &names, XKB_KEYMAP_COMPILE_NO_FLAGS);
    if (keymap) keymaps_.push_back(keymap);
    return keymap;
  }
  // The code of a key typed in `group` of the keymap; -1 for none at all.
  static int CodeOf(xkb_keymap* keymap, std::uint32_t keycode, std::uint32_t group = 0) {
    const auto syms = SymsInKeymap(keymap, keycode, group);
    if (!syms) return -1;
    return VirtualKeyOfSyms(*syms).value_or(-1);
  }

 private:
  xkb_context* context_;
  std::vector<xkb_keymap*> keymaps_;
};

TEST_F(KeymapKeysTest, EachLayoutGivesTheCodesOfTheKeysPlaces) {
  // The physical keys 1, 5 and 0, the keys at US Q, A, Y, Z and M.
  constexpr std::uint32_t k1 = 10, k5 = 14, k0 = 19, kQ = 24, kA = 38, kY = 29, kZ = 52, kM = 58;
  struct Layout {
    const char* name;
    std::array<int, 8> codes;  // of k1, k5, k0, kQ, kA, kY, kZ, kM
  };
  const Layout layouts[] = {
      {"us", {'1', '5', '0', 'Q', 'A', 'Y', 'Z', 'M'}},
      // The digits need Shift; A and Q, Z and W, M and the comma trade places.
      {"fr", {'1', '5', '0', 'A', 'Q', 'Y', 'W', 0}},
      // Y and Z trade places.
      {"de", {'1', '5', '0', 'Q', 'A', 'Z', 'Y', 'M'}},
      // Cyrillic letters take the US letter at their place.
      {"ru", {'1', '5', '0', 'Q', 'A', 'Y', 'Z', 'M'}},
  };
  for (const Layout& layout : layouts) {
    SCOPED_TRACE(layout.name);
    xkb_keymap* keymap = Keymap(layout.name);
    ASSERT_NE(keymap, nullptr) << "xkeyboard-config has no layout " << layout.name;
    const std::uint32_t keys[] = {k1, k5, k0, kQ, kA, kY, kZ, kM};
    for (std::size_t i = 0; i < std::size(keys); ++i) {
      EXPECT_EQ(CodeOf(keymap, keys[i]), layout.codes[i]) << "key " << keys[i];
    }
    // Keys without a character are known by what they are; a key the keymap
    // lacks gives nothing.
    EXPECT_EQ(CodeOf(keymap, 9), -1);    // Escape
    EXPECT_EQ(CodeOf(keymap, 114), -1);  // Right
    EXPECT_EQ(SymsInKeymap(keymap, 2, 0), std::nullopt);
  }
}

TEST_F(KeymapKeysTest, TheGroupIsTheOneWhoseLevelsTypedTheKey) {
  xkb_keymap* keymap = Keymap("us,ru");
  ASSERT_NE(keymap, nullptr);
  constexpr std::uint32_t kA = 38;
  EXPECT_EQ(GroupTyping(keymap, kA, XKB_KEY_a, 7), 0u);
  EXPECT_EQ(GroupTyping(keymap, kA, XKB_KEY_Cyrillic_EF, 7), 1u);
  EXPECT_EQ(GroupTyping(keymap, kA, XKB_KEY_NoSymbol, 7), 7u);
  EXPECT_EQ(GroupTyping(keymap, kA, XKB_KEY_b, 7), 7u);
  // A group past the key's own wraps around.
  EXPECT_EQ(CodeOf(keymap, kA, 3), 'A');
  EXPECT_EQ(SymsInKeymap(nullptr, kA, 0), std::nullopt);
}

// Key events as X delivers them: a physical key, the server's time in ms, and
// a repeat flag that may be wrong.
struct Keyboard {
  QWidget& window;
  void Send(QEvent::Type type, int key, std::uint32_t keycode, std::int64_t time, QString text = {},
            bool flagged_repeat = false) {
    QKeyEvent event(type, key, Qt::NoModifier, keycode, 0, 0, text, flagged_repeat);
    event.setTimestamp(static_cast<quint64>(time));
    QApplication::sendEvent(&window, &event);
  }
  void Down(int key, std::uint32_t keycode, std::int64_t time, QString text = {}) {
    Send(QEvent::KeyPress, key, keycode, time, text);
  }
  void Up(int key, std::uint32_t keycode, std::int64_t time, QString text = {}) {
    Send(QEvent::KeyRelease, key, keycode, time, text);
  }
  // One repeat of a held key: a release and a press at the same time, both
  // flagged as real ones.
  void Repeat(int key, std::uint32_t keycode, std::int64_t time, QString text = {}) {
    Up(key, keycode, time, text);
    Down(key, keycode, time, text);
  }
};

constexpr std::uint32_t kKey1 = 10, kKey5 = 14, kKeyRight = 114, kKeyF12 = 96, kKeyEsc = 9;

TEST(WindowKeysTest, XRepeatsArePressesAndNeverReleasesWhateverTheirFlag) {
  FormFixture f;
  f.Create();
  TForm1& form = *f.form;
  Keyboard keys{form};
  const Mode& mode = form.unit().vars().mode;

  // Holding '5' on the closed unit: the press opens it, the first repeat
  // presses ACL, and the unit stays reset until the real release.
  keys.Down(Qt::Key_5, kKey5, 1000, "5");
  EXPECT_EQ(mode, Mode::kAllSegments);
  keys.Repeat(Qt::Key_5, kKey5, 1500, "5");
  EXPECT_EQ(mode, Mode::kAclHeld);
  keys.Repeat(Qt::Key_5, kKey5, 1533, "5");
  EXPECT_EQ(mode, Mode::kAclHeld);
  keys.Up(Qt::Key_5, kKey5, 1560, "5");
  EXPECT_EQ(mode, Mode::kAclHeld);  // held back until it is known that no repeat follows
  QTest::qWait(HeldKeys::kSettleMs * 3);
  EXPECT_EQ(mode, Mode::kAllSegments);

  // A release and a new press at another time are a release and a press.
  keys.Down(Qt::Key_1, kKey1, 2000, "1");
  EXPECT_EQ(mode, Mode::kGameAHeld);
  keys.Up(Qt::Key_1, kKey1, 2100, "1");
  keys.Down(Qt::Key_1, kKey1, 2101, "1");
  EXPECT_EQ(mode, Mode::kGameA);  // the release started Game A; the new press is ignored in play
}

#ifdef TIKO_HAVE_XKB_X11
// X's repeats taken before Qt sees them act as the repeats Qt would have
// delivered, and nothing else is taken: other windows' keys, keys not held,
// releases, and keys held while the keyboard was away.
constexpr unsigned kWindow = 0x400007;

TEST(WindowKeysTest, XRepeatsTakenBeforeQtPressAsRepeatsAndNothingElseIsTaken) {
  FormFixture f;
  f.Create();
  TForm1& form = *f.form;
  Keyboard keys{form};
  const Mode& mode = form.unit().vars().mode;
  XKeyRepeats repeats([] { return kWindow; }, form.held_keys());
  auto x_event = [&](std::uint8_t type, std::uint32_t keycode, std::uint32_t time,
                     unsigned window = kWindow) {
    xcb_key_press_event_t event{};
    event.response_type = type;
    event.detail = static_cast<xcb_keycode_t>(keycode);
    event.time = time;
    event.event = window;
    return repeats.nativeEventFilter("xcb_generic_event_t", &event, nullptr);
  };
  constexpr std::uint8_t kSentByProgram = 0x80;

  EXPECT_FALSE(x_event(XCB_KEY_PRESS, kKey5, 900));  // not held: Qt's
  EXPECT_FALSE(x_event(XCB_KEY_RELEASE, kKey5, 950));
  keys.Down(Qt::Key_5, kKey5, 1000, "5");
  ASSERT_EQ(mode, Mode::kAllSegments);
  EXPECT_FALSE(x_event(XCB_KEY_PRESS, kKey5, 1500, kWindow + 1));
  EXPECT_FALSE(x_event(XCB_KEY_RELEASE, kKey5, 1500, kWindow + 1));
  EXPECT_FALSE(repeats.nativeEventFilter("windows_generic_MSG", nullptr, nullptr));
  EXPECT_EQ(mode, Mode::kAllSegments);
  // X's repeat: a release, and a press at its time. Both are taken, in order.
  EXPECT_TRUE(x_event(XCB_KEY_RELEASE, kKey5, 1500));
  EXPECT_TRUE(x_event(XCB_KEY_PRESS | kSentByProgram, kKey5, 1500));
  EXPECT_EQ(mode, Mode::kAclHeld);
  QTest::qWait(HeldKeys::kSettleMs * 3);
  EXPECT_EQ(mode, Mode::kAclHeld);  // the release was the repeat's
  // Repeats without releases between them, as a server with detectable
  // auto-repeat sends them; then the real release.
  EXPECT_TRUE(x_event(XCB_KEY_PRESS, kKey5, 1533));
  EXPECT_TRUE(x_event(XCB_KEY_RELEASE, kKey5, 1560));
  form.held_keys().Settle();
  EXPECT_EQ(mode, Mode::kAllSegments);
  // A release and a new press at another time: the press is a new one, Qt's to give.
  keys.Down(Qt::Key_1, kKey1, 2000, "1");
  ASSERT_EQ(mode, Mode::kGameAHeld);
  EXPECT_TRUE(x_event(XCB_KEY_RELEASE, kKey1, 2100));
  EXPECT_FALSE(x_event(XCB_KEY_PRESS, kKey1, 2101));
  form.held_keys().Settle();
  EXPECT_EQ(mode, Mode::kGameA);
  // Held while the keyboard was elsewhere: its presses are Qt's to give.
  QFocusEvent out(QEvent::FocusOut, Qt::ActiveWindowFocusReason);
  QApplication::sendEvent(&form, &out);
  keys.Down(Qt::Key_5, kKey5, 3000, "5");
  QApplication::sendEvent(&form, &out);
  EXPECT_FALSE(x_event(XCB_KEY_PRESS, kKey5, 3500));
}
#endif

TEST(WindowKeysTest, TheReleaseCarriesTheCodeOfItsPress) {
  FormFixture f;
  f.Create();
  TForm1& form = *f.form;
  Keyboard keys{form};
  keys.Down(Qt::Key_5, kKey5, 100, "5");
  keys.Up(Qt::Key_5, kKey5, 150, "5");
  form.held_keys().Settle();
  // A key away from the number row that types '1', pressed, then released
  // while Shift makes it type '!'.
  constexpr std::uint32_t kRemapped = 38;
  keys.Down(Qt::Key_1, kRemapped, 200, "1");
  EXPECT_EQ(form.unit().vars().mode, Mode::kGameAHeld);
  keys.Up(Qt::Key_Exclam, kRemapped, 300, "!");
  form.held_keys().Settle();
  EXPECT_EQ(form.unit().vars().mode, Mode::kGameA);
  EXPECT_FALSE(form.unit().scene().Visible(btn_game_a_down));
}

TEST(WindowKeysTest, HeldF12SwitchesOnceAndHeldEscEndsOnce) {
  FormFixture f;
  f.Create();
  TForm1& form = *f.form;
  Keyboard keys{form};
  keys.Down(Qt::Key_F12, kKeyF12, 100);
  for (int t = 600; t < 1600; t += 40) keys.Repeat(Qt::Key_F12, kKeyF12, t);
  keys.Up(Qt::Key_F12, kKeyF12, 1600);
  form.held_keys().Settle();
  EXPECT_TRUE(form.FullscreenOn());
  EXPECT_EQ(f.store.values["FullscreenMode"], "1");

  keys.Down(Qt::Key_Escape, kKeyEsc, 2000);
  for (int t = 2500; t < 3000; t += 40) keys.Repeat(Qt::Key_Escape, kKeyEsc, t);
  EXPECT_EQ(f.terminations, 1);
  EXPECT_EQ(f.output_closes, 0);  // Esc ends without the close handling
}

TEST(WindowKeysTest, KeysHeldWhenTheWindowLosesTheKeyboardAreReleased) {
  FormFixture f;
  f.Create();
  TForm1& form = *f.form;
  Keyboard keys{form};
  const Mode& mode = form.unit().vars().mode;
  constexpr std::uint32_t kKey3 = 12;
  keys.Down(Qt::Key_5, kKey5, 100, "5");
  keys.Up(Qt::Key_5, kKey5, 150, "5");
  form.held_keys().Settle();
  keys.Down(Qt::Key_3, kKey3, 200, "3");
  ASSERT_EQ(mode, Mode::kTimeHeld);  // TIME held shows the alarm time
  QFocusEvent out(QEvent::FocusOut, Qt::ActiveWindowFocusReason);
  QApplication::sendEvent(&form, &out);
  EXPECT_EQ(mode, Mode::kClock);
  // Back with the key still held: its repeats press nothing, its release releases nothing.
  keys.Repeat(Qt::Key_3, kKey3, 700, "3");
  EXPECT_EQ(mode, Mode::kClock);
  keys.Up(Qt::Key_3, kKey3, 800, "3");
  form.held_keys().Settle();
  EXPECT_EQ(mode, Mode::kClock);
  // Released while away and pressed again: a press.
  keys.Down(Qt::Key_3, kKey3, 900, "3");
  QApplication::sendEvent(&form, &out);
  keys.Down(Qt::Key_3, kKey3, 1000, "3");
  EXPECT_EQ(mode, Mode::kTimeHeld);
}

// A held arrow key on the real clock: X repeats the key every 33 ms, but the
// hero steps at most once per step time, about twice a second.
TEST(WindowKeysTest, AHeldArrowMovesTheHeroTwiceASecond) {
  std::int64_t now = 0;
  FormFixture f;
  f.form->host().SetClockForTesting([&] { return now; });
  f.Create();
  TForm1& form = *f.form;
  Unit& unit = form.unit();
  Keyboard keys{form};
  auto advance_to = [&](std::int64_t t) {
    while (auto due = unit.timers().NextDue()) {
      if (*due > t) break;
      now = *due;
      form.host().Fire();
    }
    now = t;
  };

  keys.Down(Qt::Key_5, kKey5, 1);
  keys.Up(Qt::Key_5, kKey5, 2);
  keys.Down(Qt::Key_1, kKey1, 3);
  keys.Up(Qt::Key_1, kKey1, 4);
  form.held_keys().Settle();
  advance_to(4100);
  ASSERT_TRUE(unit.vars().play_active);
  ASSERT_EQ(unit.vars().hero_col, 1);
  ASSERT_EQ(unit.vars().hero_row, 5);

  // Right held from 4100 ms: (1, 5) -> (2, 5) at once, (3, 5) one step time later.
  std::vector<std::pair<std::int64_t, int>> moves;
  int col = 1;
  keys.Down(Qt::Key_Right, kKeyRight, 4100);
  for (std::int64_t t = 4100; t <= 5100; t += 33) {
    advance_to(t);
    if (t > 4100) keys.Repeat(Qt::Key_Right, kKeyRight, t);
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
  keys.Up(Qt::Key_Right, kKeyRight, 5120);
  form.held_keys().Settle();
  EXPECT_FALSE(unit.scene().Visible(btn_cross_down));
}

}  // namespace
}  // namespace tiko
