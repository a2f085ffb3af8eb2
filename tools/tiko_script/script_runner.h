// Runs a tiko-script on a headless unit: reads commands, prints what the unit does.
#pragma once

#include <functional>
#include <istream>
#include <ostream>
#include <string>
#include <vector>

#include "engine/ports.h"
#include "engine/unit.h"

namespace tiko::script {

// Called after each command that ran, with the unit as the command left it.
using AfterCommand = std::function<void(const Unit&, const std::vector<std::string>& words)>;

// Returns the exit status: 0 when the script ran to its end, 2 at a line it
// cannot understand (reported on `err`). A UTF-8 byte order mark before the
// first line is skipped.
int RunScript(std::istream& in, std::ostream& out, std::ostream& err, SettingsStore& store,
              const AfterCommand& after_command = {});

}  // namespace tiko::script
