// The five lines of `dump`: the unit's time, its variables, the lit images,
// the score digits and the timers.
#pragma once

#include <ostream>

#include "engine/unit.h"

namespace tiko::script {

void DumpUnit(const Unit& unit, std::ostream& out);

}  // namespace tiko::script
