// A cue definition: a line of square-wave notes, rests and glides, as the
// piezo speaker of an LCD handheld plays them.
//
//   # comment
//   volume 0.28        level of the wave, 0..1 (a square overshoots it a little)
//   attack 2           ms of rise at each note's start
//   release 4          ms of fall at each sounding part's end
//   gap 10             ms of silence cut off the end of each note
//   beat 100           ms per duration unit (default 1: durations in ms)
//   length 3800 4000   the whole cue must last between these (ms)
//   C6:2 E6:1 r:1 A6>A5:3 880hz:1
//
// A note is a letter A..G, an optional # or b and an octave (A4 = 440 Hz), or
// a frequency such as 880hz; `r` is a rest; `X>Y` glides from X to Y.
#pragma once

#include <string>
#include <vector>

namespace tiko::soundgen {

struct Note {
  double from_hz = 0;  // 0 for a rest
  double to_hz = 0;    // equal to from_hz unless gliding
  double ms = 0;
};

struct Cue {
  double volume = 0.28;
  double attack_ms = 2;
  double release_ms = 4;
  double gap_ms = 0;
  double min_ms = 0;
  double max_ms = 1e9;
  std::vector<Note> notes;

  double LengthMs() const;
};

// Throws std::runtime_error naming the line of the first mistake.
Cue ParseCue(const std::string& text);

// The frequency of a note name such as "C#6" or "440hz"; 0 for "r".
// Throws std::runtime_error for anything else.
double PitchHz(const std::string& name);

}  // namespace tiko::soundgen
