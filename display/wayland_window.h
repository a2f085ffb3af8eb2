// What a Wayland compositor lets a window decide for itself: not its place,
// but its size. The unit asks for a fixed size (minimum = maximum), which
// tiling compositors take as a window to float, and for the compositor's own
// fullscreen.
#pragma once

#include <QSize>

class QWidget;

namespace tiko {

// Whether the program runs on Qt's Wayland platform.
bool OnWayland();

// Sizes the top-level `window`: on Wayland a fixed size, or the compositor's
// fullscreen; elsewhere a plain size, the window placed and fitted by us.
void SizeWindow(QWidget& window, QSize size, bool fullscreen);

}  // namespace tiko
