#include "engine/game_log.h"

namespace tiko {

void GameLog::Observe(const Vars& vars, int ms_of_day) {
  if (vars.mode == seen_mode_) return;
  if (InGame(seen_mode_) && !games_.empty() && !games_.back().ended) {
    games_.back().score = vars.score;
    games_.back().ended = true;
  }
  if (InGame(vars.mode)) {
    games_.push_back(GameRecord{ms_of_day, vars.mode == mode::kGameA ? 'A' : 'B', 0, false});
  }
  seen_mode_ = vars.mode;
}

void GameLog::Finish(const Vars& vars) {
  if (!games_.empty() && !games_.back().ended) {
    games_.back().score = vars.score;
    games_.back().ended = true;
  }
}

}  // namespace tiko
