// One line of the script language: what tiko-script runs and what the
// window's recordings are written in. Both readers parse a line here, so a
// recording means the same to the window's replay as to tiko-script.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "engine/image_id.h"
#include "engine/keys/controls.h"
#include "engine/keys/key_list.h"
#include "engine/timers.h"
#include "engine/unit.h"
#include "engine/vars.h"

namespace tiko {

// The largest time a script line may give, in milliseconds (about 115 days):
// more than a session reaches, and few enough ticks to run in seconds.
inline constexpr long long kMaxScriptMs = 10'000'000'000LL;

enum class Verb {
  kSeed,
  kClock,
  kPress,
  kRelease,
  kKeyDown,
  kKeyUp,
  kWait,
  kStall,
  kKeys,
  kOverlays,
  kHiscoresReset,
  kSet,
  kShow,
  kHide,
  kInterval,
  kEnable,
  kDisable,
  kDump,
};

struct ScriptCommand {
  Verb verb = Verb::kDump;
  std::string word;  // the command as written
  // The seed, the time of day, a key code, a wait, the overlay flag, the
  // value set or the interval.
  std::int64_t number = 0;
  Control control = Control::kOpen;
  std::array<int, kBindingCount> choices{};
  const VarField* var = nullptr;
  ImageId image = kNoImage;
  TimerId timer = TimerId::Timer_Clock;
};

// A line that does not parse, with the reason tiko-script reports.
struct BadScriptLine {
  std::string why;
};

// The words of a line; none for an empty line or a comment. A UTF-8 byte
// order mark before the first line and a carriage return at the end, as
// editors on Windows leave them, are no part of it.
std::vector<std::string> ScriptWords(std::string line, bool first_line);

// Throws BadScriptLine.
ScriptCommand ParseScriptCommand(const std::vector<std::string>& words);

// Runs a command that acts through the unit's own operations: seed, clock,
// press, release, keydown, keyup, keys, overlays and hiscores_reset. An
// error the unit shows abandons its handler and goes to `shown`. False for
// any other command.
bool RunOperation(Unit& unit, const ScriptCommand& command,
                  const std::function<void(const UnitError&)>& shown);

}  // namespace tiko
