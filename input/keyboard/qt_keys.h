// Qt key events to the Windows virtual-key codes the key bindings compare with.
#pragma once

#include <Qt>

class QKeyEvent;

namespace tiko {

// The virtual-key code of a Qt key, or 0 for a key the unit has no code for.
// Modifier states do not change the code: Shift+1 is still '1' (US layout),
// but a keypad digit is its own key, as on Windows.
int VirtualKeyOf(int qt_key, Qt::KeyboardModifiers modifiers);
int VirtualKeyOf(const QKeyEvent& event);

}  // namespace tiko
