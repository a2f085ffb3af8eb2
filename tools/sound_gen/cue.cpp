#include "tools/sound_gen/cue.h"

#include <cctype>
#include <cmath>
#include <sstream>
#include <stdexcept>

namespace tiko::soundgen {
namespace {

double Number(const std::string& s) {
  std::size_t used = 0;
  double v = 0;
  try {
    v = std::stod(s, &used);
  } catch (const std::exception&) {
    used = 0;
  }
  if (used != s.size() || !std::isfinite(v) || v < 0)
    throw std::runtime_error("not a number: '" + s + "'");
  return v;
}

Note ParseNote(const std::string& token, double beat_ms) {
  std::size_t colon = token.find(':');
  if (colon == std::string::npos) throw std::runtime_error("note without ':duration': " + token);
  std::string pitch = token.substr(0, colon);
  Note n;
  n.ms = Number(token.substr(colon + 1)) * beat_ms;
  if (n.ms <= 0) throw std::runtime_error("empty note: " + token);
  std::size_t arrow = pitch.find('>');
  if (arrow == std::string::npos) {
    n.from_hz = n.to_hz = PitchHz(pitch);
  } else {
    n.from_hz = PitchHz(pitch.substr(0, arrow));
    n.to_hz = PitchHz(pitch.substr(arrow + 1));
    if (n.from_hz == 0 || n.to_hz == 0) throw std::runtime_error("a glide needs two pitches");
  }
  return n;
}

}  // namespace

double Cue::LengthMs() const {
  double total = 0;
  for (const Note& n : notes) total += n.ms;
  return total;
}

double PitchHz(const std::string& name) {
  if (name == "r") return 0;
  if (name.size() > 2 && name.compare(name.size() - 2, 2, "hz") == 0) {
    double hz = Number(name.substr(0, name.size() - 2));
    if (hz < 20 || hz > 10000) throw std::runtime_error("frequency out of range: " + name);
    return hz;
  }
  static const int kSemitone[] = {9, 11, 0, 2, 4, 5, 7};  // A B C D E F G from C
  if (name.empty() || name[0] < 'A' || name[0] > 'G') throw std::runtime_error("bad note: " + name);
  int semitone = kSemitone[name[0] - 'A'];
  std::size_t i = 1;
  if (i < name.size() && name[i] == '#')
    ++semitone, ++i;
  else if (i < name.size() && name[i] == 'b')
    --semitone, ++i;
  if (i + 1 != name.size() || !std::isdigit(static_cast<unsigned char>(name[i])))
    throw std::runtime_error("bad note: " + name);
  int octave = name[i] - '0';
  int from_a4 = (octave - 4) * 12 + semitone - 9;
  return 440.0 * std::pow(2.0, from_a4 / 12.0);
}

Cue ParseCue(const std::string& text) {
  Cue cue;
  double beat_ms = 1;
  std::istringstream lines(text);
  std::string line;
  for (int number = 1; std::getline(lines, line); ++number) {
    try {
      line = line.substr(0, line.find('#') == 0 ? 0 : line.find(" #"));
      std::istringstream words(line);
      std::string word;
      if (!(words >> word)) continue;
      auto value = [&] {
        std::string v;
        if (!(words >> v)) throw std::runtime_error(word + " needs a value");
        return Number(v);
      };
      if (word == "volume") {
        cue.volume = value();
        if (cue.volume > 1) throw std::runtime_error("volume above 1");
      } else if (word == "attack") {
        cue.attack_ms = value();
      } else if (word == "release") {
        cue.release_ms = value();
      } else if (word == "gap") {
        cue.gap_ms = value();
      } else if (word == "beat") {
        beat_ms = value();
      } else if (word == "length") {
        cue.min_ms = value();
        cue.max_ms = value();
      } else {
        do cue.notes.push_back(ParseNote(word, beat_ms));
        while (words >> word);
      }
    } catch (const std::exception& e) {
      throw std::runtime_error("line " + std::to_string(number) + ": " + e.what());
    }
  }
  if (cue.notes.empty()) throw std::runtime_error("no notes");
  double length = cue.LengthMs();
  if (length < cue.min_ms || length > cue.max_ms) {
    std::ostringstream msg;
    msg << "lasts " << length << " ms, outside " << cue.min_ms << ".." << cue.max_ms;
    throw std::runtime_error(msg.str());
  }
  return cue;
}

}  // namespace tiko::soundgen
