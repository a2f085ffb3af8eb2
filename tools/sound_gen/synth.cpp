#include "tools/sound_gen/synth.h"

#include <algorithm>
#include <cmath>

namespace tiko::soundgen {
namespace {

// The square is built from its odd harmonics, faded out between these two
// frequencies: nothing reaches the Nyquist limit to fold back as buzz, the
// edges come out slightly rounded the way a piezo disc plays them, and a
// glide never switches a harmonic on or off abruptly.
constexpr double kFadeFromHz = 5000;
constexpr double kFadeToHz = 9000;

double HarmonicWeight(double hz) {
  if (hz <= kFadeFromHz) return 1.0;
  if (hz >= kFadeToHz) return 0.0;
  return 0.5 + 0.5 * std::cos(M_PI * (hz - kFadeFromHz) / (kFadeToHz - kFadeFromHz));
}

double Square(double phase, double hz) {
  double sum = 0;
  for (int k = 1; k * hz < kFadeToHz; k += 2)
    sum += HarmonicWeight(k * hz) * std::sin(2.0 * M_PI * k * phase) / k;
  return 4.0 / M_PI * sum;
}

// A raised-cosine ramp from 0 to 1 as x goes from 0 to 1.
double Ramp(double x) {
  return x >= 1.0 ? 1.0 : 0.5 - 0.5 * std::cos(M_PI * std::max(x, 0.0));
}

}  // namespace

std::vector<std::int16_t> Render(const Cue& cue, int rate) {
  std::vector<std::int16_t> out;
  const double per_ms = rate / 1000.0;
  double start = 0;  // in ms, so rounding never adds up along the cue
  for (const Note& note : cue.notes) {
    std::size_t begin = static_cast<std::size_t>(std::lround(start * per_ms));
    start += note.ms;
    std::size_t end = static_cast<std::size_t>(std::lround(start * per_ms));
    out.resize(end, 0);
    if (note.from_hz == 0) continue;

    // A note shorter than its gap would vanish: keep at least a few ms of tone.
    double sounding_ms = std::max(note.ms - cue.gap_ms, std::min(note.ms, 8.0));
    std::size_t length = std::min(end - begin, static_cast<std::size_t>(sounding_ms * per_ms));
    double attack = std::max(cue.attack_ms * per_ms, 1.0);
    double release = std::max(cue.release_ms * per_ms, 1.0);
    double phase = 0;
    for (std::size_t i = 0; i < length; ++i) {
      double progress = static_cast<double>(i) / static_cast<double>(length);
      // Glides move evenly in pitch, not in hertz, as the ear hears them.
      double hz = note.from_hz * std::pow(note.to_hz / note.from_hz, progress);
      double dt = hz / rate;
      double wave = Square(phase, hz);
      double env = Ramp(i / attack) * Ramp((length - 1 - i) / release);
      out[begin + i] = static_cast<std::int16_t>(std::lround(wave * env * cue.volume * 32767.0));
      phase += dt;
      if (phase >= 1.0) phase -= 1.0;
    }
  }
  return out;
}

}  // namespace tiko::soundgen
