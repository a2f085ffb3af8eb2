#include "record/recorder.h"

#include <system_error>

#include "record/clock_text.h"

namespace tiko {

Recorder::Recorder(std::filesystem::path file, const RecordingStart& start, const Unit& unit)
    : file_(std::move(file)),
      version_(start.version),
      date_(start.date),
      last_(unit.Now()),
      hiscore_a_(unit.vars().hiscore_a),
      hiscore_b_(unit.vars().hiscore_b) {
  std::error_code error;
  std::filesystem::create_directories(file_.parent_path(), error);
  out_ = std::fopen(file_.c_str(), "wbx");  // never over another recording
  if (out_) std::fputs(Header().c_str(), out_);

  Append("seed " + std::to_string(start.seed));
  Append("clock " + ClockText(start.clock_ms));
  // A fresh unit reads empty settings: high scores 0, the default keys, overlays on.
  if (hiscore_a_ != 0) Append("set hiscore_a " + std::to_string(hiscore_a_));
  if (hiscore_b_ != 0) Append("set hiscore_b " + std::to_string(hiscore_b_));
  bool default_keys = true;
  std::string keys = "keys";
  for (int n = 1; n <= kBindingCount; ++n) {
    const int choice = unit.key_bindings()[n].key_choice;
    default_keys = default_keys && choice == kBindingInfo[n].default_choice;
    keys += ' ' + std::to_string(choice);
  }
  if (!default_keys) Append(keys);
  if (!unit.ctrl_overlay_on()) Append("overlays 0");
  games_.Observe(unit.vars(), static_cast<int>(start.clock_ms));
}

Recorder::~Recorder() {
  if (out_) std::fclose(out_);
}

void Recorder::Append(const std::string& line) {
  body_ += line;
  body_ += '\n';
  if (!out_) return;
  std::fputs(line.c_str(), out_);
  std::fputc('\n', out_);
  std::fflush(out_);
}

void Recorder::Command(std::int64_t now, const std::string& command) {
  if (now > last_) Append("wait " + std::to_string(now - last_));
  last_ = now;
  Append(command);
}

void Recorder::Stall(std::int64_t now, std::int64_t ms) {
  Command(now, "stall " + std::to_string(ms));
  last_ = now + ms;
}

void Recorder::Observe(const Vars& vars, std::int64_t ms_of_day) {
  games_.Observe(vars, static_cast<int>(ms_of_day));
  if (vars.hiscore_a > hiscore_a_ || vars.hiscore_b > hiscore_b_) high_score_set_ = true;
  hiscore_a_ = vars.hiscore_a;
  hiscore_b_ = vars.hiscore_b;
}

std::string Recorder::Header() const {
  std::string header = "# tiko recording\n# version " + version_ + "\n# date " + date_ + "\n";
  for (const GameRecord& game : games_.games()) {
    header += "# game " + SecondsText(game.start_ms) + ' ' + game.game + ' ' +
              std::to_string(game.score) + '\n';
  }
  if (high_score_set_) header += std::string(kHighScoreLine) + '\n';
  return header;
}

void Recorder::Finish(std::int64_t now, const Vars& vars, const std::string& window_dump) {
  if (!out_) return;
  games_.Finish(vars);
  Command(now, "dump");
  for (size_t at = 0; at < window_dump.size();) {
    size_t end = window_dump.find('\n', at);
    if (end == std::string::npos) end = window_dump.size();
    body_ += "# " + window_dump.substr(at, end - at) + '\n';
    at = end + 1;
  }
  std::fclose(out_);
  out_ = nullptr;
  // Written whole beside it and then put in its place: the file is never half a recording.
  std::filesystem::path part = file_;
  part += ".part";
  if (std::FILE* whole = std::fopen(part.c_str(), "wb")) {
    const std::string text = Header() + body_;
    const bool written = std::fwrite(text.data(), 1, text.size(), whole) == text.size();
    if (std::fclose(whole) == 0 && written) {
      std::error_code error;
      std::filesystem::rename(part, file_, error);
      if (!error) return;
    }
    std::error_code error;
    std::filesystem::remove(part, error);
  }
}

}  // namespace tiko
