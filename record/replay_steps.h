// A recording read back for the window's replay: its commands, parsed as
// tiko-script parses them, and each one that acts at a moment applied to the
// unit through its operations. The time commands (`wait`, `stall`) are the
// player's to pace.
#pragma once

#include <cstdint>
#include <istream>
#include <optional>
#include <string>
#include <vector>

#include "engine/unit.h"
#include "record/script_command.h"

namespace tiko {

struct ReplayStep {
  int line = 0;
  std::optional<ScriptCommand> command;  // none for a line that does not parse
  std::string why;                       // why it does not
};

// The commands of a script, comments and empty lines left out.
std::vector<ReplayStep> ReadSteps(std::istream& in);

// The milliseconds of a `wait` or `stall`, nothing for any other step.
std::optional<std::int64_t> StepDuration(const ReplayStep& step);
bool IsStall(const ReplayStep& step);

// Applies a step that acts at a moment; false, with the reason, for one that
// does not parse or has no place in a recording. `dump` does nothing here.
bool ApplyStep(Unit& unit, const ReplayStep& step, std::string* why);

}  // namespace tiko
