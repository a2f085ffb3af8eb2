// Every play script, run on an empty in-memory store, prints exactly its
// expected output.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "tests/support/memory_store.h"
#include "tools/tiko_script/script_runner.h"

namespace tiko::test {
namespace {

namespace fs = std::filesystem;

std::string ReadFile(const fs::path& path) {
  std::ifstream in(path);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

TEST(PlayScripts, EachPrintsItsExpectedOutput) {
  int count = 0;
  for (const auto& entry : fs::directory_iterator(TIKO_PLAY_SCRIPTS)) {
    if (entry.path().extension() != ".tiko") continue;
    fs::path expected = entry.path();
    expected.replace_extension(".out");
    fs::path reg = entry.path();
    reg.replace_extension(".reg");
    if (fs::exists(reg)) continue;  // needs the real store file: left to tiko-script
    MemoryStore store;
    std::ifstream in(entry.path());
    std::ostringstream out, err;
    int status = script::RunScript(in, out, err, store);
    EXPECT_EQ(status, 0) << entry.path() << ": " << err.str();
    EXPECT_EQ(out.str(), ReadFile(expected)) << entry.path();
    ++count;
  }
  EXPECT_GT(count, 0);
}

}  // namespace
}  // namespace tiko::test
