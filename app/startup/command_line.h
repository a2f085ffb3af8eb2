// The simulator's command line, read before the window system is touched so
// that --help and --version work without a display.
#pragma once

#include <filesystem>
#include <optional>

namespace tiko {

// Prints the usage or the version and gives the exit status (0, or 2 for an
// option or argument it does not know); nothing when the program should start.
// `replay` gets the recording named by --replay, if any.
std::optional<int> HandleCommandLine(int argc, char** argv,
                                     std::filesystem::path* replay = nullptr);

}  // namespace tiko
