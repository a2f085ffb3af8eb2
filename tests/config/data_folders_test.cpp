#include "config/ini/data_folders.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <fstream>
#include <sstream>

#include "config/ini/config_path.h"

namespace tiko {
namespace {

namespace fs = std::filesystem;

void Write(const fs::path& file, const std::string& text) {
  fs::create_directories(file.parent_path());
  std::ofstream(file) << text;
}

std::string Read(const fs::path& file) {
  std::ostringstream text;
  text << std::ifstream(file).rdbuf();
  return text.str();
}

// A player's folder, an installed program in usr/games and its data folder
// usr/share/tiko, in a scratch root.
class DataFoldersTest : public ::testing::Test {
 protected:
  DataFoldersTest() {
    std::string pattern = (fs::temp_directory_path() / "tiko-folders-XXXXXX").string();
    root_ = mkdtemp(pattern.data());
    user_ = root_ / "home/.local/share/tiko";
    bin_ = root_ / "usr/games";
    data_ = root_ / "usr/share/tiko";
    fs::create_directories(bin_);
    fs::create_directories(data_);
  }
  ~DataFoldersTest() override { fs::remove_all(root_); }
  DataFolders Folders() const { return ProgramDataFolders(user_, bin_, "../share/tiko"); }

  fs::path root_;
  fs::path user_, bin_, data_;
};

// The player's folder first, then the program's own (the portable build),
// then the installed one, found from the program's folder however it moved.
TEST_F(DataFoldersTest, ConfigIniIsTakenFromTheFirstFolderHoldingOne) {
  EXPECT_FALSE(Folders().ConfigFolder());
  EXPECT_EQ(Folders().Searched(), (std::vector<fs::path>{user_, bin_, data_}));
  EXPECT_EQ(ProgramDataFolders(user_, bin_.string() + "/", "../share/tiko").Searched()[1], bin_);

  Write(data_ / "Config.ini", "[Common]\n");
  EXPECT_EQ(Folders().ConfigFolder()->kind, DataFolders::Kind::kInstalled);
  EXPECT_EQ(Folders().ConfigIni(), data_ / "Config.ini");
  fs::create_directories(user_ / "Config.ini");  // a folder is no configuration file
  EXPECT_EQ(Folders().ConfigFolder()->dir, data_);
  fs::remove(user_ / "Config.ini");

  Write(bin_ / "Config.ini", "[Common]\n");
  EXPECT_EQ(Folders().ConfigFolder()->kind, DataFolders::Kind::kProgram);
  Write(user_ / "Config.ini", "[Common]\n");
  EXPECT_EQ(Folders().ConfigFolder()->kind, DataFolders::Kind::kUser);
  EXPECT_EQ(Folders().ReadFrom(), (std::vector<fs::path>{user_, bin_, data_}));

  // Without a player's folder (no home at all) the other two are searched.
  EXPECT_EQ(DataFolders({}, bin_, data_).Searched(), (std::vector<fs::path>{bin_, data_}));
}

// A player's skin replaces one picture; the others come from the installation.
TEST_F(DataFoldersTest, PathsOfAPlayersConfigFallBackToTheInstalledFiles) {
  Write(data_ / "Config.ini", "[Common]\n");
  Write(data_ / "Graphics/Skin/body.png", "installed");
  Write(data_ / "Graphics/Skin/lid.png", "installed");
  Write(user_ / "Graphics/Skin/body.png", "the player's");
  // The installed Config.ini in use: the player's folder is not looked at.
  EXPECT_EQ(Folders().Resolve("Graphics\\Skin\\", "body.png"), data_ / "Graphics/Skin/body.png");
  // A settled copy (one skin's load) keeps the folders it found.
  const DataFolders settled = Folders().Settled();

  Write(user_ / "Config.ini", "[Common]\n");
  EXPECT_EQ(settled.Resolve("Graphics\\Skin\\", "body.png"), data_ / "Graphics/Skin/body.png");
  const DataFolders folders = Folders();
  EXPECT_EQ(folders.Settled().ReadFrom(), folders.ReadFrom());
  EXPECT_EQ(folders.Resolve("Graphics\\Skin\\", "body.png"), user_ / "Graphics/Skin/body.png");
  EXPECT_EQ(folders.Resolve("Graphics\\Skin\\", "lid.png"), data_ / "Graphics/Skin/lid.png");
  // Missing everywhere: the player's path, which the loader reports missing.
  EXPECT_EQ(folders.Resolve("Graphics\\Skin\\", "gone.png"), user_ / "Graphics/Skin/gone.png");
  EXPECT_EQ(folders.Resolve("/srv/skin/", "body.png"), fs::path("/srv/skin/body.png"));
  EXPECT_EQ(folders.Find("Graphics/Skin/lid.png"), data_ / "Graphics/Skin/lid.png");

  // The program's folder holds no Config.ini (usr/games): no file is taken from it.
  Write(bin_ / "Graphics/Skin/lid.png", "stray");
  EXPECT_EQ(Folders().Resolve("Graphics\\Skin\\", "lid.png"), data_ / "Graphics/Skin/lid.png");

  // One folder alone, relative or the working directory, is as before.
  EXPECT_EQ(DataFolders(fs::path()).Resolve("skin/", "a.png"), fs::path("skin/a.png"));
  EXPECT_EQ(DataFolders(data_).Resolve("Graphics\\Skin\\", "x.png"), data_ / "Graphics/Skin/x.png");
}

TEST_F(DataFoldersTest, EditingAnInstalledConfigCopiesItIntoThePlayersFolderOnce) {
  Write(data_ / "Config.ini", "[Common]\nGameWidth=499\n");
  fs::permissions(data_ / "Config.ini", fs::perms::owner_read | fs::perms::group_read);

  DataFolders::Editable edit = Folders().EditableConfig();
  ASSERT_TRUE(edit.file) << edit.error;
  EXPECT_EQ(*edit.file, user_ / "Config.ini");
  EXPECT_EQ(Read(*edit.file), "[Common]\nGameWidth=499\n");
  EXPECT_TRUE((fs::status(*edit.file).permissions() & fs::perms::owner_write) != fs::perms::none);
  EXPECT_EQ(Folders().ConfigFolder()->kind, DataFolders::Kind::kUser);  // read from now on

  // The player's changes stay: the copy is made only when none is there.
  Write(user_ / "Config.ini", "[Common]\nGameWidth=300\n");
  EXPECT_EQ(*Folders().EditableConfig().file, user_ / "Config.ini");
  EXPECT_EQ(Read(user_ / "Config.ini"), "[Common]\nGameWidth=300\n");

  // The portable build edits its own file.
  Write(bin_ / "Config.ini", "[Common]\n");
  fs::remove(user_ / "Config.ini");
  EXPECT_EQ(*Folders().EditableConfig().file, bin_ / "Config.ini");
  EXPECT_FALSE(fs::exists(user_ / "Config.ini"));
}

TEST_F(DataFoldersTest, AFailedCopyIsToldAndNothingIsOpenedWithoutAConfigTheShellIsAsked) {
  Write(data_ / "Config.ini", "[Common]\n");
  Write(root_ / "home/.local/share", "a file where the folder should be");
  DataFolders::Editable edit = Folders().EditableConfig();
  EXPECT_FALSE(edit.file);
  EXPECT_NE(edit.error.find("could not be copied to " + (user_ / "Config.ini").string()),
            std::string::npos)
      << edit.error;

  fs::remove(data_ / "Config.ini");
  EXPECT_EQ(*Folders().EditableConfig().file, bin_ / "Config.ini");  // as the shell finds it
  EXPECT_FALSE(fs::exists(user_ / "Config.ini"));
}

TEST(UserDataFolder, FollowsXdgDataHomeOrTheHomeFolder) {
  const char* old_xdg = getenv("XDG_DATA_HOME");
  const std::string saved_xdg = old_xdg ? old_xdg : "";
  const std::string saved_home = getenv("HOME") ? getenv("HOME") : "";
  setenv("HOME", "/home/player", 1);
  setenv("XDG_DATA_HOME", "/data/player", 1);
  EXPECT_EQ(UserDataFolder(), fs::path("/data/player/tiko"));
  setenv("XDG_DATA_HOME", "relative/is/ignored", 1);
  EXPECT_EQ(UserDataFolder(), fs::path("/home/player/.local/share/tiko"));
  unsetenv("XDG_DATA_HOME");
  EXPECT_EQ(UserDataFolder(), fs::path("/home/player/.local/share/tiko"));
  if (old_xdg) setenv("XDG_DATA_HOME", saved_xdg.c_str(), 1);
  setenv("HOME", saved_home.c_str(), 1);
}

}  // namespace
}  // namespace tiko
