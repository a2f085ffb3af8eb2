#include "config/store/reg_file_store.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <cstdlib>
#include <fstream>
#include <functional>
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
  void TearDown() override {
    std::error_code ec;
    fs::permissions(dir_ / "Orvane", fs::perms::owner_all, ec);
    fs::remove_all(dir_);
  }
  // Collects what the store tells.
  void Listen(RegFileStore& store) {
    store.SetNoticeSink([this](RegFileStore::Notice notice, const std::string& message) {
      notices_.emplace_back(notice, message);
    });
  }

  fs::path dir_;
  fs::path file_;
  std::vector<std::pair<RegFileStore::Notice, std::string>> notices_;
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

// The start-up writes every key binding back: a value the file holds as it
// would be written leaves the file as it is, one held otherwise rewrites it.
TEST_F(RegFileStoreTest, WritingWhatTheFileHoldsLeavesItAlone) {
  RegFileStore store(file_);
  Put(file_, kTop + "\"Key1\"=\"2\"\n\"Key2\"=dword:00000003\n");
  struct stat before {};
  ASSERT_EQ(::stat(file_.c_str(), &before), 0);
  store.WriteInteger("Key1", 2);
  struct stat after {};
  ASSERT_EQ(::stat(file_.c_str(), &after), 0);
  EXPECT_EQ(after.st_ino, before.st_ino);
  EXPECT_TRUE(store.last_error().empty());

  store.WriteInteger("Key2", 3);
  EXPECT_EQ(Slurp(file_), kTop + "\"Key1\"=\"2\"\n\"Key2\"=\"3\"\n");
  // A file without its key line gets it with the first write.
  Put(file_, "\"Key1\"=\"2\"\n");
  store.WriteInteger("Key1", 2);
  EXPECT_NE(Slurp(file_).find(store::kRegKeyLine), std::string::npos);
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
  Listen(store);
  store.WriteInteger("HiScore2", 77);
  store.WriteInteger("Key2", 3);
  EXPECT_EQ(Slurp(file_.string() + ".bak"), damaged);
  ASSERT_EQ(notices_.size(), 1u);  // said once
  EXPECT_EQ(notices_[0].first, RegFileStore::Notice::kBackedUp);
  EXPECT_NE(notices_[0].second.find(file_.string() + ".bak"), std::string::npos);
  EXPECT_FALSE(fs::exists(file_.string() + ".lock"));
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

TEST_F(RegFileStoreTest, WriteFailuresAreToldOnceWithPathAndReason) {
  struct Case {
    const char* what;
    std::function<fs::path()> make;  // the settings file's path, made unwritable
    std::string reason;
  };
  Case cases[] = {{"a file where the folder should be",
                   [&] {
                     Put(dir_ / "Orvane", "x");
                     return file_;
                   },
                   "Not a directory"},
                  {"a folder where the file should be",
                   [&] {
                     fs::create_directories(file_);
                     return file_;
                   },
                   "Is a directory"},
                  {"a pipe where the file should be",  // read without waiting for a writer
                   [&] {
                     fs::create_directories(file_.parent_path());
                     ::mkfifo(file_.c_str(), 0600);
                     return file_;
                   },
                   "not a plain file"},
                  {"a folder that cannot be written",
                   [&] {
                     fs::create_directories(file_.parent_path());
                     fs::permissions(file_.parent_path(),
                                     fs::perms::owner_read | fs::perms::owner_exec);
                     // Permissions do not stop root: a folder of the kernel's does.
                     return ::geteuid() == 0 ? fs::path("/sys/kernel/Qorvix50.reg") : file_;
                   },
                   "Permission denied"}};
  for (Case& c : cases) {
    SCOPED_TRACE(c.what);
    TearDown();
    SetUp();
    notices_.clear();
    fs::path file = c.make();
    RegFileStore store(file);
    store.WriteInteger("HiScore1", 120);
    Listen(store);  // told also when the sink comes after the failure
    store.WriteBool("FullscreenMode", false);
    ASSERT_EQ(notices_.size(), 1u);
    EXPECT_EQ(notices_[0].first, RegFileStore::Notice::kWriteFailed);
    const std::string& message = notices_[0].second;
    EXPECT_TRUE(message.starts_with("Your settings could not be saved: ")) << message;
    EXPECT_NE(message.find(file.parent_path().string()), std::string::npos) << message;
    EXPECT_NE(message.find(c.reason), std::string::npos) << message;
    EXPECT_EQ(store.ReadInteger("HiScore1", 0), 120);  // play goes on with them
    EXPECT_FALSE(store.ReadBool("FullscreenMode", true));
  }
}

TEST_F(RegFileStoreTest, ReadsFollowTheFileWhenAnotherHandChangesIt) {
  RegFileStore store(file_);
  Put(file_, kTop + "\"Key1\"=\"7\"\n");
  EXPECT_EQ(store.ReadInteger("Key1", 2), 7);
  // Rewritten in place with the same length: only its time tells.
  {
    std::fstream f(file_, std::ios::in | std::ios::out | std::ios::binary);
    f.seekp(static_cast<std::streamoff>(kTop.size() + 8));
    f.put('8');
  }
  EXPECT_EQ(store.ReadInteger("Key1", 2), 8);
  RegFileStore other(file_);
  other.WriteInteger("Key2", 9);
  EXPECT_EQ(store.ReadInteger("Key2", 3), 9);
  store.WriteInteger("Key3", 10);
  EXPECT_EQ(RegFileStore(file_).ReadInteger("Key2", 3), 9);
  EXPECT_FALSE(fs::exists(file_.string() + ".lock"));
}

TEST_F(RegFileStoreTest, LinkedFileStaysALink) {
  fs::create_directories(file_.parent_path());
  Put(dir_ / "real.reg", kTop + "\"Key2\"=\"3\"\n");
  fs::create_symlink(dir_ / "real.reg", file_);
  RegFileStore(file_).WriteInteger("Key3", 4);
  EXPECT_TRUE(fs::is_symlink(file_));
  EXPECT_EQ(Slurp(dir_ / "real.reg"), kTop + "\"Key2\"=\"3\"\n\"Key3\"=\"4\"\n");
}

TEST_F(RegFileStoreTest, NeverWritesThroughALinkItDidNotMake) {
  // A link at the temporary name, to a file of the player's: left alone.
  RegFileStore store(file_);
  EXPECT_EQ(fs::status(file_).permissions() & fs::perms::all,
            fs::perms::owner_read | fs::perms::owner_write);
  Put(dir_ / "victim", "secret");
  fs::permissions(dir_ / "victim", fs::perms::owner_read | fs::perms::owner_write);
  fs::create_symlink(dir_ / "victim", file_.string() + ".tmp");
  fs::permissions(file_, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
  EXPECT_TRUE(store.WriteString("Key1", "5"));
  EXPECT_EQ(Slurp(dir_ / "victim"), "secret");
  EXPECT_EQ(fs::status(dir_ / "victim").permissions() & fs::perms::all,
            fs::perms::owner_read | fs::perms::owner_write);
  EXPECT_FALSE(fs::is_symlink(file_));
  EXPECT_EQ(fs::status(file_).permissions() & fs::perms::all,
            fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
  EXPECT_FALSE(fs::exists(fs::symlink_status(file_.string() + ".tmp")));
  EXPECT_EQ(RegFileStore(file_).ReadInteger("Key1", 2), 5);

  // A dangling one there creates nothing at its end.
  fs::create_symlink(dir_ / "nowhere", file_.string() + ".tmp");
  store.WriteInteger("Key2", 6);
  EXPECT_FALSE(fs::exists(fs::symlink_status(dir_ / "nowhere")));
  EXPECT_EQ(RegFileStore(file_).ReadInteger("Key2", 2), 6);

  // A link at the lock's name is refused and told, not followed.
  Listen(store);
  fs::create_symlink(dir_ / "lock-victim", file_.string() + ".lock");
  EXPECT_FALSE(store.WriteString("Key3", "7"));
  EXPECT_FALSE(fs::exists(fs::symlink_status(dir_ / "lock-victim")));
  ASSERT_EQ(notices_.size(), 1u);
  EXPECT_NE(notices_[0].second.find(".lock"), std::string::npos) << notices_[0].second;
}

TEST_F(RegFileStoreTest, DanglingLinkAsTheFileWritesItsTargetOrTells) {
  fs::create_directories(file_.parent_path());
  fs::create_directories(dir_ / "dotfiles");
  fs::create_symlink("../dotfiles/Qorvix50.reg", file_);
  RegFileStore store(file_);
  store.WriteInteger("Key1", 3);
  EXPECT_TRUE(fs::is_symlink(file_));
  EXPECT_EQ(Slurp(dir_ / "dotfiles" / "Qorvix50.reg"), kTop + "\"Key1\"=\"3\"\n");

  // Its target's folder missing, or links in a loop: told, and the link stays.
  for (const char* to : {"../gone/Qorvix50.reg", "Qorvix50.reg"}) {
    notices_.clear();
    fs::remove(file_);
    fs::create_symlink(to, file_);
    RegFileStore lost(file_);
    Listen(lost);
    EXPECT_FALSE(lost.WriteString("Key1", "4"));
    EXPECT_TRUE(fs::is_symlink(file_)) << to;
    EXPECT_FALSE(fs::exists(dir_ / "gone"));
    ASSERT_EQ(notices_.size(), 1u) << to;
    EXPECT_EQ(notices_[0].first, RegFileStore::Notice::kWriteFailed);
    EXPECT_EQ(lost.ReadInteger("Key1", 2), 4);  // kept for the session
  }
}

TEST_F(RegFileStoreTest, OversizedFileIsNeitherReadNorOverwritten) {
  fs::create_directories(file_.parent_path());
  std::string big = kTop + "\"Key1\"=\"7\"\n";
  big += std::string(kMaxSettingsBytes + 1 - big.size(), ';');
  Put(file_, big);
  RegFileStore store(file_);
  Listen(store);
  EXPECT_EQ(store.ReadInteger("Key1", 2), 2);
  EXPECT_FALSE(store.WriteString("Key2", "5"));
  EXPECT_EQ(store.ReadInteger("Key2", 3), 5);
  ASSERT_EQ(notices_.size(), 1u);
  EXPECT_EQ(notices_[0].first, RegFileStore::Notice::kTooLarge);
  EXPECT_NE(notices_[0].second.find(file_.string()), std::string::npos) << notices_[0].second;
  EXPECT_NE(notices_[0].second.find("default"), std::string::npos) << notices_[0].second;
  EXPECT_EQ(fs::file_size(file_), big.size());
  EXPECT_EQ(Slurp(file_), big);
  // One byte less is read.
  big.pop_back();
  Put(file_, big);
  EXPECT_EQ(store.ReadInteger("Key1", 2), 7);
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

// Writers killed at any moment never lose a write they were told had reached the file.
TEST_F(RegFileStoreTest, KilledWritersLoseNoAcknowledgedValue) {
  RegFileStore(file_).WriteInteger("Start", 1);
  std::vector<std::pair<std::string, int>> acknowledged;
  for (int round = 0; round < 3; ++round) {
    int acks[2][2];
    pid_t children[2];
    for (int c = 0; c < 2; ++c) {
      ASSERT_EQ(::pipe(acks[c]), 0);
      children[c] = ::fork();
      ASSERT_GE(children[c], 0);
      if (children[c] == 0) {
        ::close(acks[c][0]);
        RegFileStore store(file_);
        for (int i = 0;; ++i) {
          if (store.WriteString(ValueName(round * 2 + c, i), std::to_string(i))) {
            if (::write(acks[c][1], &i, sizeof i) != sizeof i) ::_exit(1);
          }
        }
      }
      ::close(acks[c][1]);
    }
    // Kill each after a different number of its writes, mid-write or not.
    for (int c = 0; c < 2; ++c) {
      for (int seen = 0; seen < 20 + 17 * round + 9 * c; ++seen) {
        int i = 0;
        ASSERT_EQ(::read(acks[c][0], &i, sizeof i), static_cast<ssize_t>(sizeof i));
        acknowledged.emplace_back(ValueName(round * 2 + c, i), i);
      }
      ::kill(children[c], SIGKILL);
    }
    for (int c = 0; c < 2; ++c) {
      ::waitpid(children[c], nullptr, 0);
      for (int i; ::read(acks[c][0], &i, sizeof i) == sizeof i;) {
        acknowledged.emplace_back(ValueName(round * 2 + c, i), i);
      }
      ::close(acks[c][0]);
    }
  }
  RegFileStore store(file_);
  EXPECT_EQ(store.ReadInteger("Start", 0), 1);
  EXPECT_GT(acknowledged.size(), 150u);
  for (const auto& [name, value] : acknowledged) {
    ASSERT_EQ(store.ReadInteger(name, -1), value) << name;
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
