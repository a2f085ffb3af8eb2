#include "tools/tiko_script/script_runner.h"

#include <optional>
#include <string>
#include <vector>

#include "engine/unit.h"
#include "engine/unit_probe.h"
#include "record/script_command.h"
#include "tools/tiko_script/script_ports.h"
#include "record/state_dump.h"

namespace tiko::script {

namespace {

class Runner {
 public:
  Runner(std::ostream& out, SettingsStore& store)
      : out_(out),
        cues_(out, [this] { return unit_->Now(); }),
        store_(store, out, [this] { return unit_->Now(); }),
        errors_(out, [this] { return unit_->Now(); }) {
    // No clock port: the unit's own time of day, 00:00:00 at time 0.
    unit_.emplace(UnitPorts{&cues_, &store_, nullptr, &errors_});
    // The unit as the main window creates it, without window and pictures.
    unit_->CreateFinish();
    unit_->SeedRandom(0);
  }

  const Unit& unit() const { return *unit_; }

  void Execute(const ScriptCommand& c) {
    Unit& u = *unit_;
    if (RunOperation(u, c, [this](const UnitError& e) { errors_.ShowError(e.what()); })) return;
    switch (c.verb) {
      case Verb::kWait:
        u.RunUntil(u.Now() + c.number);
        break;
      case Verb::kStall:
        u.Stall(c.number);
        break;
      case Verb::kSet:
        c.var->set(UnitProbe(u).vars(), static_cast<int>(c.number));
        break;
      case Verb::kShow:
      case Verb::kHide:
        UnitProbe(u).scene().SetVisible(c.image, c.verb == Verb::kShow);
        break;
      case Verb::kInterval:
        UnitProbe(u).timers().SetInterval(c.timer, static_cast<int>(c.number));
        break;
      case Verb::kEnable:
      case Verb::kDisable:
        UnitProbe(u).timers().SetEnabled(c.timer, c.verb == Verb::kEnable);
        break;
      case Verb::kDump:
        DumpUnit(u, out_);
        break;
      default:
        break;
    }
  }

 private:
  std::ostream& out_;
  PrintingCues cues_;
  PrintingStore store_;
  PrintingErrors errors_;
  std::optional<Unit> unit_;
};

}  // namespace

int RunScript(std::istream& in, std::ostream& out, std::ostream& err, SettingsStore& store,
              const AfterCommand& after_command) {
  Runner runner(out, store);
  std::string line;
  for (int number = 1; std::getline(in, line); ++number) {
    std::vector<std::string> words = ScriptWords(line, number == 1);
    if (words.empty()) continue;
    try {
      runner.Execute(ParseScriptCommand(words));
      if (after_command) after_command(runner.unit(), words);
    } catch (const BadScriptLine& bad) {
      out.flush();
      err << "tiko-script: line " << number << ": " << bad.why << '\n';
      return 2;
    }
  }
  return 0;
}

}  // namespace tiko::script
