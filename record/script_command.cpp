#include "record/script_command.h"

#include <charconv>
#include <sstream>
#include <string_view>

#include "record/clock_text.h"

namespace tiko {

namespace {

struct VerbName {
  std::string_view name;
  Verb verb;
  int arguments;
};

constexpr VerbName kVerbs[] = {
    {"seed", Verb::kSeed, 1},
    {"clock", Verb::kClock, 1},
    {"press", Verb::kPress, 1},
    {"release", Verb::kRelease, 1},
    {"keydown", Verb::kKeyDown, 1},
    {"keyup", Verb::kKeyUp, 1},
    {"wait", Verb::kWait, 1},
    {"stall", Verb::kStall, 1},
    {"keys", Verb::kKeys, kBindingCount},
    {"overlays", Verb::kOverlays, 1},
    {"hiscores_reset", Verb::kHiscoresReset, 0},
    {"set", Verb::kSet, 2},
    {"show", Verb::kShow, 1},
    {"hide", Verb::kHide, 1},
    {"interval", Verb::kInterval, 2},
    {"enable", Verb::kEnable, 1},
    {"disable", Verb::kDisable, 1},
    {"dump", Verb::kDump, 0},
};

long long Number(const std::string& text, long long lo, long long hi, const char* what) {
  long long value = 0;
  const char* last = text.data() + text.size();
  auto [ptr, ec] = std::from_chars(text.data(), last, value);
  if (text.empty() || ec != std::errc() || ptr != last || value < lo || value > hi) {
    throw BadScriptLine{std::string("bad ") + what + " '" + text + "'"};
  }
  return value;
}

TimerId TimerNamed(const std::string& name) {
  for (int i = 0; i < kTimerCount; ++i) {
    if (kTimerNames[i] == name) return static_cast<TimerId>(i);
  }
  throw BadScriptLine{"unknown timer '" + name + "'"};
}

ImageId SkinImageNamed(const std::string& name) {
  for (int id = 1; id <= kSkinImageCount; ++id) {
    if (kImageNames[id - 1] == name) return static_cast<ImageId>(id);
  }
  throw BadScriptLine{"unknown image '" + name + "'"};
}

// A button by its name; `release` knows no button without a release operation.
Control ControlOf(const std::string& name, bool release) {
  auto control = ControlNamed(name);
  if (!control || (release && !InfoOf(*control).has_release)) {
    throw BadScriptLine{"unknown button '" + name + "'"};
  }
  return *control;
}

}  // namespace

std::vector<std::string> ScriptWords(std::string line, bool first_line) {
  if (first_line && line.starts_with("\xEF\xBB\xBF")) line.erase(0, 3);
  if (!line.empty() && line.back() == '\r') line.pop_back();
  std::vector<std::string> words;
  std::istringstream in(line);
  for (std::string w; in >> w;) words.push_back(w);
  if (!words.empty() && words[0][0] == '#') words.clear();
  return words;
}

ScriptCommand ParseScriptCommand(const std::vector<std::string>& w) {
  ScriptCommand c;
  c.word = w.at(0);
  const VerbName* known = nullptr;
  for (const VerbName& v : kVerbs) {
    if (v.name == c.word) known = &v;
  }
  if (known == nullptr) throw BadScriptLine{"unknown command '" + c.word + "'"};
  const int n = known->arguments;
  if (w.size() != static_cast<std::size_t>(n) + 1) {
    throw BadScriptLine{"'" + c.word + "' takes " + std::to_string(n) + " argument" +
                        (n == 1 ? "" : "s")};
  }
  c.verb = known->verb;
  switch (c.verb) {
    case Verb::kSeed:
      c.number = Number(w[1], 0, 4294967295LL, "seed");
      break;
    case Verb::kClock: {
      const std::optional<std::int64_t> ms = ParseClockText(w[1]);
      if (!ms) throw BadScriptLine{"bad time '" + w[1] + "'"};
      c.number = *ms;
      break;
    }
    case Verb::kPress:
    case Verb::kRelease:
      c.control = ControlOf(w[1], c.verb == Verb::kRelease);
      break;
    case Verb::kKeyDown:
    case Verb::kKeyUp:
      c.number = Number(w[1], 0, 65535, "key code");
      break;
    case Verb::kWait:
    case Verb::kStall:
      c.number = Number(w[1], 0, kMaxScriptMs, "time");
      break;
    case Verb::kKeys:
      for (int b = 1; b <= kBindingCount; ++b) {
        c.choices[b - 1] = static_cast<int>(Number(w[b], 1, kKeyChoiceCount, "key choice"));
      }
      break;
    case Verb::kOverlays:
      c.number = Number(w[1], 0, 1, "flag");
      break;
    case Verb::kSet:
      c.var = FindVar(w[1]);
      if (c.var == nullptr) throw BadScriptLine{"unknown variable '" + w[1] + "'"};
      c.number = c.var->flag ? Number(w[2], 0, 1, "flag")
                             : Number(w[2], -2147483648LL, 2147483647LL, "value");
      break;
    case Verb::kShow:
    case Verb::kHide:
      c.image = SkinImageNamed(w[1]);
      break;
    case Verb::kInterval:
      c.timer = TimerNamed(w[1]);
      c.number = Number(w[2], 1, 2147483647, "interval");
      break;
    case Verb::kEnable:
    case Verb::kDisable:
      c.timer = TimerNamed(w[1]);
      break;
    case Verb::kHiscoresReset:
    case Verb::kDump:
      break;
  }
  return c;
}

bool RunOperation(Unit& unit, const ScriptCommand& c,
                  const std::function<void(const UnitError&)>& shown) {
  auto guarded = [&](auto&& handler) {
    try {
      handler();
    } catch (const UnitError& e) {
      if (shown) shown(e);
    }
    return true;
  };
  switch (c.verb) {
    case Verb::kSeed:
      unit.SeedRandom(static_cast<std::uint32_t>(c.number));
      return true;
    case Verb::kClock:
      unit.SetTimeOfDay(c.number);
      return true;
    case Verb::kPress:
      return guarded([&] { unit.Press(c.control); });
    case Verb::kRelease:
      return guarded([&] { unit.Release(c.control); });
    case Verb::kKeyDown:
      return guarded([&] { unit.FormKeyDown(static_cast<int>(c.number)); });
    case Verb::kKeyUp:
      return guarded([&] { unit.FormKeyUp(static_cast<int>(c.number)); });
    case Verb::kKeys:
      return guarded([&] { unit.AcceptKeys(c.choices); });
    case Verb::kOverlays:
      return guarded([&] { unit.SetControllerOverlay(c.number == 1); });
    case Verb::kHiscoresReset:
      return guarded([&] { unit.ResetHiscores(); });
    default:
      return false;
  }
}

}  // namespace tiko
