#include "input/keyboard/qt_keys.h"

#include <QGuiApplication>
#include <QKeyEvent>

#include "engine/keys/key_list.h"
#include "input/keyboard/key_codes.h"
#ifdef TIKO_HAVE_XKB_X11
#include "input/keyboard/xkb_layout.h"
#endif
#ifdef TIKO_HAVE_WAYLAND
#include "input/keyboard/wayland_layout.h"
#endif

namespace tiko {

namespace {

// The characters Shift makes of the digit keys on a US keyboard, '0' to '9'.
constexpr int kShiftedDigits[10] = {
    Qt::Key_ParenRight, Qt::Key_Exclam,    Qt::Key_At,          Qt::Key_NumberSign,
    Qt::Key_Dollar,     Qt::Key_Percent,   Qt::Key_AsciiCircum, Qt::Key_Ampersand,
    Qt::Key_Asterisk,   Qt::Key_ParenLeft,
};

constexpr int kF1 = 112;

// The key's first two levels in the platform's keymap: the X server's, or the
// Wayland compositor's. Both number keys as evdev + 8.
std::optional<KeySyms> LayoutSymsOf(const QKeyEvent& event) {
#ifdef TIKO_HAVE_XKB_X11
  if (XkbLayout* layout = XkbLayout::OfApplication()) {
    return layout->SymsOf(event.nativeScanCode(), event.nativeModifiers());
  }
#endif
#ifdef TIKO_HAVE_WAYLAND
  // Qt on Wayland tells the keysym typed but not the keymap's group.
  if (WaylandLayout* layout = WaylandLayout::OfApplication()) {
    return layout->SymsOf(event.nativeScanCode(), event.nativeVirtualKey());
  }
#endif
  (void)event;
  return std::nullopt;
}

}  // namespace

int VirtualKeyOf(int qt_key, Qt::KeyboardModifiers modifiers) {
  if (qt_key >= Qt::Key_0 && qt_key <= Qt::Key_9) {
    const int digit = qt_key - Qt::Key_0;
    return modifiers.testFlag(Qt::KeypadModifier) ? vk::kNumpad0 + digit : '0' + digit;
  }
  if (qt_key >= Qt::Key_A && qt_key <= Qt::Key_Z) return 'A' + (qt_key - Qt::Key_A);
  if (qt_key >= Qt::Key_F1 && qt_key <= Qt::Key_F24) return kF1 + (qt_key - Qt::Key_F1);
  if (!modifiers.testFlag(Qt::KeypadModifier)) {
    for (int digit = 0; digit < 10; ++digit) {
      if (qt_key == kShiftedDigits[digit]) return '0' + digit;
    }
  }
  const bool keypad = modifiers.testFlag(Qt::KeypadModifier);
  switch (qt_key) {
    case Qt::Key_Plus:
      return keypad ? vk::kAdd : vk::kOemPlus;
    case Qt::Key_Equal:
      return keypad ? 0 : vk::kOemPlus;
    case Qt::Key_Minus:
      return keypad ? vk::kSubtract : vk::kOemMinus;
    case Qt::Key_Up:
      return vk::kUp;
    case Qt::Key_Down:
      return vk::kDown;
    case Qt::Key_Left:
      return vk::kLeft;
    case Qt::Key_Right:
      return vk::kRight;
    case Qt::Key_Alt:
    case Qt::Key_AltGr:
      return vk::kMenu;
    case Qt::Key_Control:
      return vk::kControl;
    case Qt::Key_Shift:
      return vk::kShift;
    case Qt::Key_Space:
      return vk::kSpace;
    case Qt::Key_Backspace:
      return 8;
    case Qt::Key_Tab:
      return 9;
    case Qt::Key_Return:
    case Qt::Key_Enter:
      return 13;
    case Qt::Key_Escape:
      return 27;
    default:
      return 0;
  }
}

int VirtualKeyOf(const QKeyEvent& event) {
  const std::uint32_t keycode = event.nativeScanCode();
  const int key = event.key();
  if (keycode == 0) return VirtualKeyOf(key, event.modifiers());
  if (auto syms = LayoutSymsOf(event)) {
    return VirtualKeyOfSyms(*syms).value_or(VirtualKeyOf(key, event.modifiers()));
  }
  // Without the layout's symbols: the number row by its place, and no other
  // character taken for a shifted digit.
  if (int digit = UsKeyAt(keycode); digit >= '0' && digit <= '9') return digit;
  const bool character = key > Qt::Key_Space && key <= Qt::Key_ydiaeresis;
  const bool named = (key >= Qt::Key_A && key <= Qt::Key_Z) ||
                     (key >= Qt::Key_0 && key <= Qt::Key_9) || key == Qt::Key_Plus ||
                     key == Qt::Key_Equal || key == Qt::Key_Minus;
  if (character && !named && !event.modifiers().testFlag(Qt::KeypadModifier)) return 0;
  return VirtualKeyOf(key, event.modifiers());
}

}  // namespace tiko
