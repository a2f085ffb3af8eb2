// The games of a session as a recording's header lists them. Looked at after
// every command (an input, a wait, a batch of ticks): a game begins when
// `mode` is first seen at 6 (Game A) or 8 (Game B) and ends when it is first
// seen at anything else, with the score it shows then. The window's recorder
// and tiko-script's check count games by this one rule.
#pragma once

#include <vector>

#include "engine/vars.h"

namespace tiko {

struct GameRecord {
  int start_ms = 0;  // local time of day when it began, in ms since midnight
  char game = 'A';
  int score = 0;
  bool ended = false;
};

class GameLog {
 public:
  void Observe(const Vars& vars, int ms_of_day);
  // The end of the session: a game still running ends with its score now.
  void Finish(const Vars& vars);

  const std::vector<GameRecord>& games() const { return games_; }

 private:
  std::vector<GameRecord> games_;
  int seen_mode_ = -1;
};

}  // namespace tiko
