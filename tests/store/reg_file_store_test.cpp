#include "config/store/reg_file_store.h"

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <sstream>

#include "config/store/reg_text.h"

namespace tiko {
namespace {

namespace fs = std::filesystem;

const std::string kTop =
    std::string(store::kRegHeader) + "\n\n" + std::string(store::kRegKeyLine) + "\n";

std::string Slurp(const fs::path& p) {
  std::ifstream in(p, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

void Put(const fs::path& p, const std::string& bytes) {
  std::ofstream(p, std::ios::binary) << bytes;
}

class RegFileStoreTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string pattern = (fs::temp_directory_path() / "tiko-store-XXXXXX").string();
    dir_ = ::mkdtemp(pattern.data());
    file_ = dir_ / "Orvane" / "Qorvix50.reg";
  }
  void TearDown() override { fs::remove_all(dir_); }

  fs::path dir_;
  fs::path file_;
};

TEST_F(RegFileStoreTest, FirstOpenCreatesFoldersAndHeader) {
  RegFileStore store(file_);
  EXPECT_EQ(Slurp(file_), kTop);
  EXPECT_EQ(store.ReadInteger("Key1", 2), 2);
  EXPECT_TRUE(store.ReadBool("FullscreenMode", true));
  RegFileStore again(file_);  // an existing file is left as it is
  EXPECT_EQ(Slurp(file_), kTop);
}

TEST_F(RegFileStoreTest, ReadsTextAsIntegersAndBooleans) {
  RegFileStore store(file_);
  Put(file_, kTop +
                 "\"HiScore1\"=\"abc\"\n\"HiScore2\"=\"5\"\n\"FullscreenMode\"=\"0\"\n"
                 "\"CtrlrOverlay\"=\"5\"\n\"SoundMode\"=\"-1\"\n\"Key1\"=dword:00000003\n");
  EXPECT_EQ(store.ReadInteger("HiScore1", 0), 0);
  EXPECT_EQ(store.ReadInteger("HiScore2", 0), 5);
  EXPECT_FALSE(store.ReadBool("FullscreenMode", true));
  EXPECT_TRUE(store.ReadBool("CtrlrOverlay", false));
  EXPECT_EQ(store.ReadInteger("SoundMode", 2), -1);
  EXPECT_FALSE(store.ReadBool("SplashScreen", false));
  try {
    store.ReadInteger("Key1", 2);
    FAIL() << "no error for a dword value";
  } catch (const UnitError& e) {
    EXPECT_STREQ(e.what(), "Invalid data type for 'Key1'");
  }
  EXPECT_THROW(store.ReadBool("Key1", true), UnitError);
  // Another running copy changed the file: the next read sees it.
  Put(file_, kTop + "\"HiScore2\"=\"6\"\n");
  EXPECT_EQ(store.ReadInteger("HiScore2", 0), 6);
}

TEST_F(RegFileStoreTest, WritesChangeOneValueAndKeepTheRest) {
  RegFileStore store(file_);
  Put(file_, kTop + "\"Unknown\"=\"x\"\n\"Key1\"=\"2\"\n");
  store.WriteInteger("Key1", 11);
  store.WriteBool("SplashScreen", false);
  store.WriteInteger("HiScore1", -3);
  EXPECT_EQ(
      Slurp(file_),
      kTop + "\"Unknown\"=\"x\"\n\"Key1\"=\"11\"\n\"SplashScreen\"=\"0\"\n\"HiScore1\"=\"-3\"\n");
  EXPECT_TRUE(store.last_error().empty());
  EXPECT_FALSE(fs::exists(file_.string() + ".bak"));
  EXPECT_FALSE(fs::exists(file_.string() + ".tmp"));

  ASSERT_TRUE(store.WriteString("a\"b\\c", "\\\"q"));
  EXPECT_EQ(RegFileStore(file_).ReadString("a\"b\\c"), "\\\"q");
}

TEST_F(RegFileStoreTest, DamagedFileLosesNothingAndIsBackedUp) {
  fs::create_directories(file_.parent_path());
  std::string damaged = "\"Key1\"=\"9\"\nnonsense\n" + std::string("\x00\x01\xfe", 3) +
                        "\n\"HiScore1\"=\"40\"\n\"HiScore2\"=\"1";
  Put(file_, damaged);
  RegFileStore store(file_);
  EXPECT_EQ(store.ReadInteger("Key1", 2), 9);
  EXPECT_EQ(store.ReadInteger("HiScore1", 0), 40);
  EXPECT_EQ(store.ReadInteger("HiScore2", 0), 0);
  store.WriteInteger("HiScore2", 77);
  EXPECT_EQ(Slurp(file_.string() + ".bak"), damaged);
  std::string now = Slurp(file_);
  EXPECT_NE(now.find("nonsense\n"), std::string::npos);
  EXPECT_NE(now.find(std::string("\x00\x01\xfe\n", 4)), std::string::npos);
  EXPECT_NE(now.find("\"HiScore2\"=\"1\n"), std::string::npos);
  RegFileStore reopened(file_);
  EXPECT_EQ(reopened.ReadInteger("Key1", 2), 9);
  EXPECT_EQ(reopened.ReadInteger("HiScore1", 0), 40);
  EXPECT_EQ(reopened.ReadInteger("HiScore2", 0), 77);
}

TEST_F(RegFileStoreTest, UnwritableFolderKeepsValuesInMemory) {
  Put(dir_ / "Orvane", "a file where the folder should be");
  RegFileStore store(file_);
  EXPECT_FALSE(store.last_error().empty());
  store.WriteInteger("HiScore1", 120);
  store.WriteBool("FullscreenMode", false);
  EXPECT_EQ(store.ReadInteger("HiScore1", 0), 120);
  EXPECT_FALSE(store.ReadBool("FullscreenMode", true));
  // Once the folder can be made, the next write stores every value held back.
  fs::remove(dir_ / "Orvane");
  EXPECT_TRUE(store.WriteString("Key1", "2"));
  RegFileStore fresh(file_);
  EXPECT_EQ(fresh.ReadInteger("HiScore1", 0), 120);
  EXPECT_FALSE(fresh.ReadBool("FullscreenMode", true));
  EXPECT_EQ(fresh.ReadInteger("Key1", 0), 2);
}

TEST_F(RegFileStoreTest, LinkedFileStaysALink) {
  fs::create_directories(file_.parent_path());
  Put(dir_ / "real.reg", kTop + "\"Key2\"=\"3\"\n");
  fs::create_symlink(dir_ / "real.reg", file_);
  RegFileStore(file_).WriteInteger("Key3", 4);
  EXPECT_TRUE(fs::is_symlink(file_));
  EXPECT_EQ(Slurp(dir_ / "real.reg"), kTop + "\"Key2\"=\"3\"\n\"Key3\"=\"4\"\n");
}

// A0..A999 for the first writer, B0..B999 for the second.
std::string ValueName(int writer, int i) {
  std::string name(1, static_cast<char>('A' + writer));
  name += std::to_string(i);
  return name;
}

TEST_F(RegFileStoreTest, TwoProcessesWritingAtOnceLoseNothing) {
  constexpr int kWrites = 1000;
  pid_t children[2];
  for (int c = 0; c < 2; ++c) {
    children[c] = ::fork();
    ASSERT_GE(children[c], 0);
    if (children[c] == 0) {
      RegFileStore store(file_);
      bool ok = true;
      for (int i = 0; i < kWrites; ++i) {
        ok &= store.WriteString(ValueName(c, i), std::to_string(i * 7 + c));
      }
      ::_exit(ok ? 0 : 1);
    }
  }
  for (pid_t child : children) {
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
  }
  RegFileStore store(file_);
  for (int c = 0; c < 2; ++c) {
    for (int i = 0; i < kWrites; ++i) {
      std::string name = ValueName(c, i);
      ASSERT_EQ(store.ReadInteger(name, -1), i * 7 + c) << name;
    }
  }
}

TEST(DefaultStorePath, FollowsXdgConfigHome) {
  const char* old_xdg = std::getenv("XDG_CONFIG_HOME");
  std::string saved = old_xdg != nullptr ? old_xdg : "";
  ::setenv("XDG_CONFIG_HOME", "/cfg", 1);
  EXPECT_EQ(DefaultStorePath(), fs::path("/cfg/Orvane/Qorvix50.reg"));
  ::setenv("XDG_CONFIG_HOME", "", 1);
  ::setenv("HOME", "/home/p", 1);
  EXPECT_EQ(DefaultStorePath(), fs::path("/home/p/.config/Orvane/Qorvix50.reg"));
  ::unsetenv("XDG_CONFIG_HOME");
  EXPECT_EQ(DefaultStorePath(), fs::path("/home/p/.config/Orvane/Qorvix50.reg"));
  if (old_xdg != nullptr) ::setenv("XDG_CONFIG_HOME", saved.c_str(), 1);
}

}  // namespace
}  // namespace tiko
