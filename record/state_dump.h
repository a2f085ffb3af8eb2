// The unit's whole state as tiko-script's `dump` prints it: five lines, the
// first stamped with the unit's time. The window writes the same at the end
// of a recording.
#pragma once

#include <ostream>

#include "engine/unit.h"

namespace tiko {

void DumpUnit(const Unit& unit, std::ostream& out);

}  // namespace tiko
