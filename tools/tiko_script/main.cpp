// tiko-script: the unit without a window, on virtual time.
#include <filesystem>
#include <fstream>
#include <iostream>

#include "config/store/reg_file_store.h"
#include "tools/tiko_script/script_runner.h"

int main(int argc, char** argv) {
  std::ios::sync_with_stdio(false);
  if (argc > 2) {
    std::cerr << "usage: tiko-script [SCRIPT]\n";
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
