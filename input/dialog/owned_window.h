// The program's windows other than the unit: dialogs of the main window, so
// that the window manager keeps them above it in both presentations (also
// above a focused fullscreen unit) and gives them no minimize or maximize.
#pragma once

class QWidget;

namespace tiko {

// Makes `window` a fixed dialog owned by `owner`; without an owner it stays on
// top instead. Call before the window is first shown.
void OwnWindow(QWidget& window, QWidget* owner);

// Places `window` in the middle of the primary screen.
void CentreOnScreen(QWidget& window);

// Brings `window` back from a minimize, to the front and with the focus.
void BringBack(QWidget& window);

}  // namespace tiko
