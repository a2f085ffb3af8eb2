// The hint texts of the unit's buttons, built from the keys bound to them
// and the buttons of a connected game controller.
#pragma once

#include <string>

#include "engine/unit.h"

namespace tiko {

// The hint of an image, or an empty text for an image without one; with
// `pad`, the controller button of each control too.
std::string HintOf(const Unit& unit, ImageId id, bool pad = false);

// The hint of the unit's body in a window: which keys zoom it. The Ctrl forms
// are named only while Ctrl is no control's key.
std::string ZoomHint(bool ctrl_bound);

}  // namespace tiko
