// Runs one script on an empty in-memory store and prints its output.
#include <fstream>
#include <iostream>

#include "tests/support/memory_store.h"
#include "tools/tiko_script/script_runner.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::cerr << "usage: play_script_print SCRIPT\n";
    return 2;
  }
  std::ifstream file(argv[1]);
  if (!file) {
    std::cerr << "cannot read " << argv[1] << '\n';
    return 2;
  }
  tiko::test::MemoryStore store;
  return tiko::script::RunScript(file, std::cout, std::cerr, store);
}
