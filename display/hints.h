// The hint texts of the unit's buttons, built from the keys bound to them.
#pragma once

#include <string>

#include "engine/unit.h"

namespace tiko {

// The hint of an image, or an empty text for an image without one.
std::string HintOf(const Unit& unit, ImageId id);

}  // namespace tiko
