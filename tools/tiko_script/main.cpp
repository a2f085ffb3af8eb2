// tiko-script: the unit without a window, on virtual time.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string_view>

#include "config/store/reg_file_store.h"
#include "tiko_version.h"
#include "tools/tiko_script/script_runner.h"
#include "tools/tiko_script/verify.h"

namespace {

constexpr const char* kUsage =
    "usage: tiko-script [SCRIPT]\n"
    "       tiko-script --verify RECORDING\n";
constexpr const char* kHelp =
    "\n"
    "Runs the Bolo Garu Tiko unit without a window, on virtual time, from a script\n"
    "of timed presses (read from SCRIPT, or from standard input), and prints every\n"
    "cue, settings write and error, and the whole state on `dump`.\n"
    "\n"
    "  --verify RECORDING  replay a recorded game on a blank settings store and\n"
    "                      check its final dump and its games' scores; exit\n"
    "                      status 0 when they agree, 1 otherwise\n"
    "  -h, --help          print this help and exit\n"
    "  -v, --version       print the version and the licence and exit\n"
    "\n"
    "The settings store is the simulator's own: $XDG_CONFIG_HOME/Orvane/Qorvix50.reg.\n"
    "Exit status: 0 when the script ran to its end, 2 for a line it cannot\n"
    "understand or a script it cannot read. See tiko-script(6).\n";

}  // namespace

int main(int argc, char** argv) {
  std::ios::sync_with_stdio(false);
  if (argc == 2) {
    const std::string_view option = argv[1];
    if (option == "-h" || option == "--help") {
      std::cout << kUsage << kHelp;
      return 0;
    }
    if (option == "-v" || option == "--version") {
      std::printf("tiko-script %s\nLicence: MIT\n", TIKO_VERSION);
      return 0;
    }
    if (option == "--verify") {
      std::cout << "tiko-script: verify: no recording named\n";
      return 1;
    }
    // A script whose name starts with "-" is named as ./-name.
    if (option.size() > 1 && option.front() == '-') {
      std::cerr << "tiko-script: unknown option " << option << '\n' << kUsage;
      return 2;
    }
  }
  if (argc == 3 && std::string_view(argv[1]) == "--verify") {
    std::ifstream recording;
    std::error_code error;
    if (!std::filesystem::is_directory(argv[2], error)) recording.open(argv[2]);
    if (!recording) {
      std::cout << "tiko-script: verify: cannot read " << argv[2] << '\n';
      return 1;
    }
    return tiko::script::VerifyRecording(recording, std::cout);
  }
  if (argc > 2) {
    std::cerr << kUsage;
    return 2;
  }
  std::ifstream file;
  if (argc == 2) {
    // A folder opens as a stream but yields no line: it is no script.
    std::error_code error;
    bool folder = std::filesystem::is_directory(argv[1], error);
    if (!folder) file.open(argv[1]);
    if (folder || !file) {
      std::cerr << "tiko-script: cannot read " << argv[1] << '\n';
      return 2;
    }
  }
  tiko::RegFileStore store(tiko::DefaultStorePath());
  // Standard output keeps its fixed form; what went wrong with the settings
  // file goes to standard error.
  store.SetNoticeSink([](tiko::RegFileStore::Notice, const std::string& message) {
    std::cerr << "tiko-script: " << message << std::endl;
  });
  int status = tiko::script::RunScript(argc == 2 ? file : std::cin, std::cout, std::cerr, store);
  std::cout.flush();
  return status;
}
