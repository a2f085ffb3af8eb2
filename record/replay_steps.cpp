#include "record/replay_steps.h"

#include <charconv>
#include <sstream>

#include "record/clock_text.h"

namespace tiko {

namespace {

std::optional<long long> Number(const std::string& text, long long lo, long long hi) {
  long long value = 0;
  const char* last = text.data() + text.size();
  auto [ptr, ec] = std::from_chars(text.data(), last, value);
  if (text.empty() || ec != std::errc() || ptr != last || value < lo || value > hi) {
    return std::nullopt;
  }
  return value;
}

}  // namespace

std::vector<ReplayStep> ReadSteps(std::istream& in) {
  std::vector<ReplayStep> steps;
  std::string line;
  for (int number = 1; std::getline(in, line); ++number) {
    std::istringstream words(line);
    ReplayStep step{number, {}};
    for (std::string w; words >> w;) step.words.push_back(w);
    if (step.words.empty() || step.words[0][0] == '#') continue;
    steps.push_back(std::move(step));
  }
  return steps;
}

std::optional<std::int64_t> StepDuration(const ReplayStep& step) {
  const auto& w = step.words;
  if (w.size() != 2 || (w[0] != "wait" && w[0] != "stall")) return std::nullopt;
  return Number(w[1], 0, 1LL << 50);
}

bool ApplyStep(Unit& unit, const ReplayStep& step, std::string* why) {
  const auto& w = step.words;
  const std::string& cmd = w[0];
  auto fail = [&](const std::string& reason) {
    if (why) *why = "line " + std::to_string(step.line) + ": " + reason;
    return false;
  };
  auto guarded = [&](const auto& handler) {
    try {
      handler();
    } catch (const UnitError&) {
      // Shown through the unit's error port already; the handler is abandoned.
    }
    return true;
  };
  if (cmd == "dump" && w.size() == 1) return true;
  if (cmd == "hiscores_reset" && w.size() == 1) return guarded([&] { unit.ResetHiscores(); });
  if (cmd == "seed" && w.size() == 2) {
    auto seed = Number(w[1], 0, 4294967295LL);
    if (!seed) return fail("bad seed '" + w[1] + "'");
    unit.SeedRandom(static_cast<std::uint32_t>(*seed));
    return true;
  }
  if (cmd == "clock" && w.size() == 2) {
    auto ms = ParseClockText(w[1]);
    if (!ms) return fail("bad time '" + w[1] + "'");
    unit.SetTimeOfDay(*ms);
    return true;
  }
  if ((cmd == "press" || cmd == "release") && w.size() == 2) {
    auto control = ControlNamed(w[1]);
    if (!control) return fail("unknown button '" + w[1] + "'");
    return guarded([&] { cmd == "press" ? unit.Press(*control) : unit.Release(*control); });
  }
  if ((cmd == "keydown" || cmd == "keyup") && w.size() == 2) {
    auto key = Number(w[1], 0, 65535);
    if (!key) return fail("bad key code '" + w[1] + "'");
    const int code = static_cast<int>(*key);
    return guarded([&] { cmd == "keydown" ? unit.FormKeyDown(code) : unit.FormKeyUp(code); });
  }
  if (cmd == "set" && w.size() == 3) {
    const VarField* field = FindVar(w[1]);
    auto value = Number(w[2], -2147483648LL, 2147483647LL);
    if (!field || !value) return fail("bad variable or value in 'set'");
    if (field->flag) {
      unit.state().vars.*(field->flag) = *value != 0;
    } else {
      unit.state().vars.*(field->integer) = static_cast<int>(*value);
    }
    return true;
  }
  if (cmd == "keys" && w.size() == kBindingCount + 1) {
    std::array<int, kBindingCount> choices{};
    for (int n = 1; n <= kBindingCount; ++n) {
      auto choice = Number(w[n], 1, kKeyChoiceCount);
      if (!choice) return fail("bad key choice '" + w[n] + "'");
      choices[n - 1] = static_cast<int>(*choice);
    }
    return guarded([&] { unit.AcceptKeys(choices); });
  }
  if (cmd == "overlays" && w.size() == 2 && (w[1] == "0" || w[1] == "1")) {
    return guarded([&] { unit.SetControllerOverlay(w[1] == "1"); });
  }
  return fail("'" + cmd + "' has no place in a recording");
}

}  // namespace tiko
