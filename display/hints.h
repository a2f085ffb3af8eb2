// The hint texts of the unit's buttons, built from the keys bound to them
// and the buttons of a connected game controller.
#pragma once

#include <string>

#include "engine/unit.h"

namespace tiko {

// The hint of an image, or an empty text for an image without one; with
// `pad`, the controller button of each control too.
std::string HintOf(const Unit& unit, ImageId id, bool pad = false);

}  // namespace tiko
