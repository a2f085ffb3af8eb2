// A recording read back for the window's replay: its commands, and each one
// that acts at a moment applied to the unit as tiko-script applies it. The
// time commands (`wait`, `stall`) are the player's to pace.
#pragma once

#include <cstdint>
#include <istream>
#include <optional>
#include <string>
#include <vector>

#include "engine/unit.h"

namespace tiko {

struct ReplayStep {
  int line = 0;
  std::vector<std::string> words;
};

// The commands of a script, comments and empty lines left out.
std::vector<ReplayStep> ReadSteps(std::istream& in);

// The milliseconds of a `wait` or `stall`, nothing for any other step.
std::optional<std::int64_t> StepDuration(const ReplayStep& step);

// Applies a step that acts at a moment; false, with the reason, for one it
// does not know. `dump` does nothing here. An error the unit shows is shown
// through its error port, as in the window.
bool ApplyStep(Unit& unit, const ReplayStep& step, std::string* why);

}  // namespace tiko
