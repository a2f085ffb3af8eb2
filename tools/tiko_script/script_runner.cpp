#include "tools/tiko_script/script_runner.h"

#include <array>
#include <charconv>
#include <cstdint>
#include <functional>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "engine/unit.h"
#include "record/clock_text.h"
#include "tools/tiko_script/script_ports.h"
#include "tools/tiko_script/state_dump.h"

namespace tiko::script {

namespace {

struct BadLine {
  std::string why;
};

std::vector<std::string> Words(const std::string& line) {
  std::vector<std::string> words;
  std::istringstream in(line);
  for (std::string w; in >> w;) words.push_back(w);
  return words;
}

std::optional<long long> ParseNumber(const std::string& text) {
  long long value = 0;
  const char* first = text.data();
  const char* last = first + text.size();
  auto [ptr, ec] = std::from_chars(first, last, value);
  if (ec != std::errc() || ptr != last || text.empty()) return std::nullopt;
  return value;
}

long long Number(const std::string& text, long long lo, long long hi, const char* what) {
  auto value = ParseNumber(text);
  if (!value || *value < lo || *value > hi) {
    throw BadLine{std::string("bad ") + what + " '" + text + "'"};
  }
  return *value;
}

TimerId TimerByName(const std::string& name) {
  for (int i = 0; i < kTimerCount; ++i) {
    if (kTimerNames[i] == name) return static_cast<TimerId>(i);
  }
  throw BadLine{"unknown timer '" + name + "'"};
}

ImageId SkinImageByName(const std::string& name) {
  for (int id = 1; id <= kSkinImageCount; ++id) {
    if (kImageNames[id - 1] == name) return static_cast<ImageId>(id);
  }
  throw BadLine{"unknown image '" + name + "'"};
}

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
    unit_->CreateReadPresentation();
    unit_->CreateFinish();
    unit_->SeedRandom(0);
  }

  const Unit& unit() const { return *unit_; }

  void Execute(const std::vector<std::string>& w) {
    const std::string& cmd = w[0];
    auto args = [&](size_t n) {
      if (w.size() != n + 1) {
        throw BadLine{"'" + cmd + "' takes " + std::to_string(n) + " argument" +
                      (n == 1 ? "" : "s")};
      }
    };
    Unit& u = *unit_;
    if (cmd == "seed") {
      args(1);
      u.SeedRandom(static_cast<std::uint32_t>(Number(w[1], 0, 4294967295LL, "seed")));
    } else if (cmd == "clock") {
      args(1);
      const std::optional<std::int64_t> ms = ParseClockText(w[1]);
      if (!ms) throw BadLine{"bad time '" + w[1] + "'"};
      u.SetTimeOfDay(*ms);
    } else if (cmd == "press" || cmd == "release") {
      args(1);
      const bool press = cmd == "press";
      const Control control = ControlOf(w[1], !press);
      Guarded([&u, control, press] { press ? u.Press(control) : u.Release(control); });
    } else if (cmd == "keydown" || cmd == "keyup") {
      args(1);
      int key = static_cast<int>(Number(w[1], 0, 65535, "key code"));
      Guarded([&u, key, down = cmd == "keydown"] { down ? u.FormKeyDown(key) : u.FormKeyUp(key); });
    } else if (cmd == "wait" || cmd == "stall") {
      args(1);
      const std::int64_t ms = Number(w[1], 0, kMaxScriptMs, "time");
      cmd == "wait" ? u.RunUntil(u.Now() + ms) : u.Stall(ms);
    } else if (cmd == "keys") {
      args(kBindingCount);
      std::array<int, kBindingCount> choices{};
      for (int n = 1; n <= kBindingCount; ++n) {
        choices[n - 1] = static_cast<int>(Number(w[n], 1, kKeyChoiceCount, "key choice"));
      }
      Guarded([&u, &choices] { u.AcceptKeys(choices); });
    } else if (cmd == "overlays") {
      args(1);
      const bool on = Number(w[1], 0, 1, "flag") == 1;
      Guarded([&u, on] { u.SetControllerOverlay(on); });
    } else if (cmd == "hiscores_reset") {
      args(0);
      Guarded([&u] { u.ResetHiscores(); });
    } else if (cmd == "set") {
      args(2);
      SetVar(w[1], w[2]);
    } else if (cmd == "show" || cmd == "hide") {
      args(1);
      u.state().scene.SetVisible(SkinImageByName(w[1]), cmd == "show");
    } else if (cmd == "interval") {
      args(2);
      TimerId id = TimerByName(w[1]);
      u.state().timers.SetInterval(id, static_cast<int>(Number(w[2], 1, 2147483647, "interval")));
    } else if (cmd == "enable" || cmd == "disable") {
      args(1);
      u.state().timers.SetEnabled(TimerByName(w[1]), cmd == "enable");
    } else if (cmd == "dump") {
      args(0);
      Dump();
    } else {
      throw BadLine{"unknown command '" + cmd + "'"};
    }
  }

 private:
  // A button by its name; `release` knows no button without a release operation.
  Control ControlOf(const std::string& name, bool release) {
    auto control = ControlNamed(name);
    if (!control || (release && !InfoOf(*control).has_release)) {
      throw BadLine{"unknown button '" + name + "'"};
    }
    return *control;
  }

  // An error shown in a message box abandons the handler; the script goes on.
  void Guarded(const std::function<void()>& handler) {
    try {
      handler();
    } catch (const UnitError& e) {
      errors_.ShowError(e.what());
    }
  }

  void SetVar(const std::string& name, const std::string& value) {
    const VarField* f = FindVar(name);
    if (!f) throw BadLine{"unknown variable '" + name + "'"};
    if (f->flag) {
      unit_->state().vars.*(f->flag) = Number(value, 0, 1, "flag") == 1;
    } else {
      unit_->state().vars.*(f->integer) =
          static_cast<int>(Number(value, -2147483648LL, 2147483647LL, "value"));
    }
  }

  void Dump() { DumpUnit(*unit_, out_); }

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
    // Editors on Windows start a UTF-8 file with a byte order mark.
    if (number == 1 && line.starts_with("\xEF\xBB\xBF")) line.erase(0, 3);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    std::vector<std::string> words = Words(line);
    if (words.empty() || words[0][0] == '#') continue;
    try {
      runner.Execute(words);
      if (after_command) after_command(runner.unit(), words);
    } catch (const BadLine& bad) {
      out.flush();
      err << "tiko-script: line " << number << ": " << bad.why << '\n';
      return 2;
    }
  }
  return 0;
}

}  // namespace tiko::script
