#include "record/replay_steps.h"

namespace tiko {

std::vector<ReplayStep> ReadSteps(std::istream& in) {
  std::vector<ReplayStep> steps;
  std::string line;
  for (int number = 1; std::getline(in, line); ++number) {
    std::vector<std::string> words = ScriptWords(line, number == 1);
    if (words.empty()) continue;
    ReplayStep step{number, std::nullopt, {}};
    try {
      step.command = ParseScriptCommand(words);
    } catch (const BadScriptLine& bad) {
      step.why = bad.why;
    }
    steps.push_back(std::move(step));
  }
  return steps;
}

std::optional<std::int64_t> StepDuration(const ReplayStep& step) {
  if (!step.command) return std::nullopt;
  const Verb verb = step.command->verb;
  if (verb != Verb::kWait && verb != Verb::kStall) return std::nullopt;
  return step.command->number;
}

bool IsStall(const ReplayStep& step) {
  return step.command && step.command->verb == Verb::kStall;
}

bool ApplyStep(Unit& unit, const ReplayStep& step, std::string* why) {
  auto fail = [&](const std::string& reason) {
    if (why) *why = "line " + std::to_string(step.line) + ": " + reason;
    return false;
  };
  if (!step.command) return fail(step.why);
  const ScriptCommand& c = *step.command;
  // A handler's error abandons it unshown: a replay reads a blank store, so
  // there is no damaged value to tell of again.
  if (RunOperation(unit, c, nullptr)) return true;
  if (c.verb == Verb::kDump) return true;
  // A recording starts from the high scores it was made with; no other state
  // is staged.
  if (c.verb == Verb::kSet && (c.var->name == "hiscore_a" || c.var->name == "hiscore_b")) {
    unit.RestoreHiscore(c.var->name == "hiscore_a" ? 'A' : 'B', static_cast<int>(c.number));
    return true;
  }
  return fail("'" + c.word + "' has no place in a recording");
}

}  // namespace tiko
