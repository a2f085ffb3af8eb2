// A session written down as a tiko-script script while it is played: what
// brings a fresh unit to the state the window started from, then every input
// and menu operation with the waits and stalls between them, and at the end a
// dump with the window's own dump beside it. Each line reaches the file as it
// is recorded, so a crash loses at most the wait since the last input; at the
// end the file is written again whole, with the games in its header.
#pragma once

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>

#include "engine/game_log.h"
#include "engine/unit.h"

namespace tiko {

struct RecordingStart {
  std::string version;
  std::string date;  // YYYY-MM-DD HH:MM:SS
  std::uint32_t seed = 0;
  std::int64_t clock_ms = 0;  // the local time of day at the unit's time 0
};

class Recorder {
 public:
  // Creates `file` and writes the header and the start for `unit`, just created.
  Recorder(std::filesystem::path file, const RecordingStart& start, const Unit& unit);
  ~Recorder();
  Recorder(const Recorder&) = delete;
  Recorder& operator=(const Recorder&) = delete;

  // False when the file could not be written; the session plays on unrecorded.
  bool ok() const { return out_ != nullptr; }
  const std::filesystem::path& file() const { return file_; }

  // A command acting at unit time `now`, after a `wait` for the time since the last one.
  void Command(std::int64_t now, const std::string& command);
  // The unit took a stall of `ms` at `now`.
  void Stall(std::int64_t now, std::int64_t ms);
  // The unit after a command or a batch of ticks: games and high scores.
  void Observe(const Vars& vars, std::int64_t ms_of_day);
  // The closing `dump` at `now` and the window's own dump as comments; the
  // file is written again complete. Nothing is recorded after it.
  void Finish(std::int64_t now, const Vars& vars, const std::string& window_dump);

  bool HighScoreSet() const { return high_score_set_; }
  const GameLog& games() const { return games_; }

 private:
  void Append(const std::string& line);
  std::string Header() const;

  std::filesystem::path file_;
  std::string version_;
  std::string date_;
  std::string body_;  // every line after the header
  std::FILE* out_ = nullptr;
  std::int64_t last_ = 0;
  GameLog games_;
  int hiscore_a_ = 0;
  int hiscore_b_ = 0;
  bool high_score_set_ = false;
};

// The header line that marks a recording the folder keeps for good.
inline constexpr const char* kHighScoreLine = "# high score set";

}  // namespace tiko
