// Which images of the main window take the mouse, and what they do with it.
#pragma once

#include "engine/unit.h"

namespace tiko {

enum class PointerShape { kArrow, kHand, kHelp };

// A button picture presses its control (ControlOfImage); the body, lid and frame pictures, the
// cross pad and the alarm button drag the window.
bool IsDraggable(ImageId id);

// The topmost visible image at (x, y) that takes the mouse: a button, a draggable
// image or the in-game menu button; kNoImage when there is none.
ImageId TargetAt(const Scene& scene, int x, int y);

// The pointer over an image: the hand over what can be clicked, help over the
// cross pad and the alarm button.
PointerShape ShapeOf(ImageId id);

}  // namespace tiko
