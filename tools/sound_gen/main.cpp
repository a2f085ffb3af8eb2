// tiko-sound-gen CUE WAV: renders one cue definition to a WAV file.
#include <fstream>
#include <iostream>
#include <sstream>

#include "tools/sound_gen/cue.h"
#include "tools/sound_gen/synth.h"
#include "tools/sound_gen/wav_writer.h"

int main(int argc, char** argv) {
  if (argc != 3) {
    std::cerr << "usage: tiko-sound-gen CUE WAV\n";
    return 2;
  }
  std::ifstream in(argv[1]);
  if (!in) {
    std::cerr << argv[1] << ": cannot read\n";
    return 1;
  }
  std::stringstream text;
  text << in.rdbuf();
  try {
    using namespace tiko::soundgen;
    Cue cue = ParseCue(text.str());
    if (!WriteFile(argv[2], EncodeWav(Render(cue), kRate))) {
      std::cerr << argv[2] << ": cannot write\n";
      return 1;
    }
  } catch (const std::exception& e) {
    std::cerr << argv[1] << ": " << e.what() << "\n";
    return 1;
  }
  return 0;
}
