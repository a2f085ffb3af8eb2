#include "tools/tiko_script/verify.h"

#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "engine/game_log.h"
#include "record/clock_text.h"
#include "tools/tiko_script/script_runner.h"
#include "record/state_dump.h"

namespace tiko::script {

namespace {

// An empty settings folder: defaults until the script's own writes.
class BlankStore : public SettingsStore {
 public:
  int ReadInteger(const std::string& name, int default_value) override {
    auto it = values_.find(name);
    return it == values_.end() ? default_value : it->second;
  }
  bool ReadBool(const std::string& name, bool default_value) override {
    return ReadInteger(name, default_value ? 1 : 0) != 0;
  }
  void WriteInteger(const std::string& name, int value) override { values_[name] = value; }
  void WriteBool(const std::string& name, bool value) override { values_[name] = value ? 1 : 0; }

 private:
  std::map<std::string, int> values_;
};

struct Recording {
  std::string text;                // the whole script
  std::vector<std::string> dump;   // the recorded final dump, without "# "
  std::vector<std::string> games;  // "HH:MM:SS G SCORE" of each `# game` line
  bool has_dump = false;
};

std::string FirstWord(const std::string& line) {
  std::istringstream in(line);
  std::string word;
  in >> word;
  return word;
}

Recording Read(std::istream& in) {
  Recording r;
  bool commands_seen = false;
  for (std::string line; std::getline(in, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    r.text += line + '\n';
    const std::string word = FirstWord(line);
    if (word.empty()) continue;
    if (word[0] != '#') {
      commands_seen = true;
      r.has_dump = word == "dump";
      r.dump.clear();
      continue;
    }
    if (!commands_seen && word == "#" && line.starts_with("# game ")) {
      std::istringstream fields(line.substr(7));
      std::string game;
      for (std::string field; fields >> field;) game += (game.empty() ? "" : " ") + field;
      r.games.push_back(game);
    }
    if (r.has_dump && line.starts_with("# ")) r.dump.push_back(line.substr(2));
  }
  return r;
}

// Where two dump lines part: the first word that differs, both ways.
std::string Difference(const std::string& recorded, const std::string& replayed) {
  std::istringstream a(recorded), b(replayed);
  std::string wa, wb;
  while (true) {
    const bool more_a = static_cast<bool>(a >> wa);
    const bool more_b = static_cast<bool>(b >> wb);
    if (!more_a && !more_b) return "'" + recorded + "'";
    if (!more_a) wa = "(nothing)";
    if (!more_b) wb = "(nothing)";
    if (wa != wb || !more_a || !more_b) return "recorded " + wa + ", replayed " + wb;
  }
}

// A game as a recording's header gives it: "HH:MM:SS G SCORE".
std::string GameText(const GameRecord& game) {
  return SecondsText(game.start_ms) + ' ' + game.game + ' ' + std::to_string(game.score);
}

}  // namespace

int VerifyRecording(std::istream& in, std::ostream& out) {
  const Recording recording = Read(in);
  if (!recording.has_dump || recording.dump.empty()) {
    out << "tiko-script: verify: no recorded dump after the last dump command\n";
    return 1;
  }
  BlankStore store;
  std::istringstream script(recording.text);
  std::ostringstream ignored, error;
  std::string final_dump;
  GameLog games;
  Vars last;
  const int status = RunScript(script, ignored, error, store,
                               [&](const Unit& unit, const std::vector<std::string>& words) {
                                 games.Observe(unit.vars(), static_cast<int>(unit.TimeOfDayMs()));
                                 last = unit.vars();
                                 if (words[0] != "dump") return;
                                 std::ostringstream dump;
                                 DumpUnit(unit, dump);
                                 final_dump = dump.str();
                               });
  if (status != 0) {
    std::string why = error.str();
    if (!why.empty() && why.back() == '\n') why.pop_back();
    out << (why.empty() ? "tiko-script: verify: the script did not run" : why) << '\n';
    return 1;
  }
  std::vector<std::string> replayed;
  std::istringstream lines(final_dump);
  for (std::string line; std::getline(lines, line);) replayed.push_back(line);
  for (size_t i = 0; i < std::max(replayed.size(), recording.dump.size()); ++i) {
    const std::string a = i < recording.dump.size() ? recording.dump[i] : "";
    const std::string b = i < replayed.size() ? replayed[i] : "";
    if (a != b) {
      out << "tiko-script: verify: final dump differs in '" << FirstWord(b.empty() ? a : b)
          << "': " << Difference(a, b) << '\n';
      return 1;
    }
  }
  games.Finish(last);
  const std::vector<GameRecord>& played = games.games();
  for (size_t i = 0; i < std::max(played.size(), recording.games.size()); ++i) {
    const std::string replayed = i < played.size() ? GameText(played[i]) : "no game";
    const std::string recorded = i < recording.games.size() ? recording.games[i] : "no game";
    if (replayed != recorded) {
      out << "tiko-script: verify: game " << i + 1 << " differs: recorded " << recorded
          << ", replayed " << replayed << '\n';
      return 1;
    }
  }
  out << "tiko-script: verify: final dump and " << played.size()
      << (played.size() == 1 ? " game agree\n" : " games agree\n");
  return 0;
}

}  // namespace tiko::script
