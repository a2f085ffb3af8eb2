// tiko-script --verify: replays a recording and checks it against what it says
// of itself, the final dump written after its last `dump` and every game's
// score in its header.
#pragma once

#include <istream>
#include <ostream>

namespace tiko::script {

// Runs the script on a blank settings store of its own (the player's settings
// are never touched) and prints a one-line verdict on `out`. Returns 0 when
// everything recorded agrees with the replay, 1 otherwise.
int VerifyRecording(std::istream& in, std::ostream& out);

}  // namespace tiko::script
