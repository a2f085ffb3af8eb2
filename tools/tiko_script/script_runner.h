// Runs a tiko-script on a headless unit: reads commands, prints what the unit does.
#pragma once

#include <istream>
#include <ostream>

#include "engine/ports.h"

namespace tiko::script {

// Returns the exit status: 0 when the script ran to its end, 2 at a line it
// cannot understand (reported on `err`).
int RunScript(std::istream& in, std::ostream& out, std::ostream& err, SettingsStore& store);

}  // namespace tiko::script
