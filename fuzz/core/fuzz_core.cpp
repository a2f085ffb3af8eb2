// libFuzzer target: any text as a tiko-script, through its parser and the unit.
// Nothing may crash, hang or overflow; while the script only presses keys and
// lets time run, as a player can, the play invariants hold after every command.
#include <charconv>
#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "record/script_command.h"
#include "tests/support/memory_store.h"
#include "tests/support/unit_invariants.h"
#include "tools/tiko_script/script_runner.h"

namespace {

// Virtual time a script may run: enough for whole games, bounded so that a
// `wait` of years with every timer at 1 ms does not read as a hang. Waits
// the script itself must refuse count for nothing and stay in: their refusal
// is what is tested. Long runs have a test of their own.
constexpr long long kMaxWaitMs = 20000;

long long TotalWait(std::string_view text) {
  long long total = 0;
  std::istringstream lines{std::string(text)};
  for (std::string line; std::getline(lines, line);) {
    std::istringstream words(line);
    std::string command, value;
    if (!(words >> command >> value) || command != "wait") continue;
    long long ms = 0;
    auto [end, error] = std::from_chars(value.data(), value.data() + value.size(), ms);
    if (error != std::errc() || ms < 0 || ms > tiko::kMaxScriptMs) continue;
    total += ms;
    if (total > kMaxWaitMs) return total;
  }
  return total;
}

// Commands that put the unit where no player can bring it.
bool ReachesBeyondPlay(const std::string& command) {
  for (const char* c : {"set", "show", "hide", "interval", "enable", "disable"}) {
    if (command == c) return true;
  }
  return false;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string_view text(reinterpret_cast<const char*>(data), size);
  if (TotalWait(text) > kMaxWaitMs) return -1;  // not kept in the corpus
  std::istringstream in{std::string(text)};
  std::ostringstream out, err;
  tiko::test::MemoryStore store;
  tiko::test::UnitInvariants invariants;
  bool playable = true;
  int status = tiko::script::RunScript(
      in, out, err, store, [&](const tiko::Unit& unit, const std::vector<std::string>& words) {
        playable = playable && !ReachesBeyondPlay(words[0]);
        if (playable && !invariants.Check(unit).empty()) __builtin_trap();
      });
  if (status != 0 && status != 2) __builtin_trap();
  if ((status == 2) != (err.str().find("tiko-script: line ") == 0)) __builtin_trap();
  return 0;
}
