#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QMouseEvent>
#include <QTest>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "app/shell/about_form.h"
#include "app/shell/manual_form.h"
#include "app/shell/popup_menu.h"
#include "app/shell/splash_form.h"
#include "engine/unit_probe.h"
#include "input/dialog/keys_form.h"
#include "tests/shell/url_recorder.h"
#include "tests/support/memory_store.h"

namespace tiko {
namespace {

// Counts the presses that reach the window past the in-game menu's rows.
class FakeMainWindow : public QWidget {
 public:
  int presses = 0;

 protected:
  void mousePressEvent(QMouseEvent*) override { ++presses; }
};

class FakeHost : public MenuHost, public KeysHost, public SplashHost {
 public:
  explicit FakeHost(Unit& unit) : unit(unit) {}
  Unit& unit;
  FakeMainWindow main;
  int switches = 0, terminates = 0, beeps = 0;
  Presentation shown;
  QWidget* MainWidget() override { return &main; }
  void SwitchPresentation() override {
    ++switches;
    shown.Set(!shown.Fullscreen());
  }
  Presentation& presentation() override { return shown; }
  void RequestTerminate() override { ++terminates; }
  void Beep() override { ++beeps; }
  void SceneChanged() override {}
  void ShowError(const char*) override {}
  void RefreshHints() override {}
  void EnableMainWindow() override { main.setEnabled(true); }
  bool Snd_Open_Output(std::optional<SoundOutput>) override { return true; }
  void SetSplashScreenCheck(bool) override {}
  void StartUnit() override {}
  void ShowError(const std::string&) override {}
};

class MenuTest : public testing::Test {
 protected:
  MenuTest() {
    UnitProbe(unit).LoadKeyBindings();
    host.main.resize(640, 520);
    host.main.show();
    popup = std::make_unique<PopupMenu>(unit, store, host,
                                        ShellWindows::Made(&about, &keys, &manual, &splash));
  }
  ~MenuTest() override { popup->pm_0_menu->hide(); }
  QAction* Item(int i) { return popup->menu_item[i]; }
  void Flush() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }
  int Rows() { return static_cast<int>(host.main.findChildren<QLabel*>().size()); }

  test::MemoryStore store;
  Unit unit{UnitPorts{nullptr, &store, nullptr, nullptr}};
  FakeHost host{unit};
  TAboutForm about;
  TKeysForm keys{unit, host};
  TManualForm manual{ManualSource{"/nonexistent", nullptr}};
  bool first_activation = true;
  TSplashForm splash{store, host, first_activation};
  std::unique_ptr<PopupMenu> popup;
};

// The check marks show the settings in force when the menu is made; the
// recorded games come after the entries.
TEST_F(MenuTest, TheMenuShowsTheSettingsInForce) {
  EXPECT_TRUE(Item(10)->isChecked());  // fullscreen
  EXPECT_TRUE(Item(12)->isChecked());  // overlays
  host.shown.Set(false);
  unit.SetControllerOverlay(false);
  PopupMenu fresh(unit, store, host, ShellWindows::Made(&about, &keys, &manual, &splash));
  EXPECT_FALSE(fresh.menu_item[10]->isChecked());
  EXPECT_FALSE(fresh.menu_item[12]->isChecked());
  EXPECT_EQ(popup->pm_0_menu->actions().back(), popup->watch_item);
}

TEST_F(MenuTest, CommandsReachTheirTargets) {
  test::UrlRecorder urls;
  store.values["HiScore1"] = "120";
  UnitProbe(unit).vars().hiscore_a = 120;
  UnitProbe(unit).vars().hiscore_b = 45;
  Item(8)->trigger();
  EXPECT_EQ(store.values["HiScore1"], "0");
  EXPECT_EQ(store.values["HiScore2"], "0");
  EXPECT_EQ(unit.vars().hiscore_a + unit.vars().hiscore_b, 0);
  EXPECT_EQ(host.beeps, 1);

  // The documents come from the data folder, wherever the program was started.
  popup->SetDataFolders("/opt/tiko-data");
  Item(2)->trigger();
  Item(3)->trigger();
  Item(6)->trigger();
  EXPECT_EQ(urls.opened,
            (QStringList{"file:///opt/tiko-data/Readme.txt", "file:///opt/tiko-data/Whatsnew.txt",
                         "file:///opt/tiko-data/Config.ini"}));

  Item(7)->trigger();
  EXPECT_TRUE(keys.isVisible());
  EXPECT_FALSE(host.main.isEnabled());
  QTest::keyClick(keys.cb[1], Qt::Key_Escape);
  EXPECT_TRUE(host.main.isEnabled());

  Item(12)->trigger();
  EXPECT_FALSE(unit.ctrl_overlay_on());
  EXPECT_EQ(store.values["CtrlrOverlay"], "0");
  EXPECT_TRUE(unit.scene().Visible(btn_cross_top));
}

// An installed program: the player edits a copy in their own folder, and the
// text files come from the installation.
TEST_F(MenuTest, EditingTheInstalledConfigOpensThePlayersCopy) {
  namespace fs = std::filesystem;
  std::string pattern = (fs::temp_directory_path() / "tiko-menu-XXXXXX").string();
  const fs::path root = mkdtemp(pattern.data());
  fs::create_directories(root / "share/tiko");
  std::ofstream(root / "share/tiko/Config.ini") << "[Common]\n";
  popup->SetDataFolders(DataFolders(root / "user", root / "games", root / "share/tiko"));
  test::UrlRecorder urls;
  Item(2)->trigger();
  Item(6)->trigger();
  auto url = [](const fs::path& file) {
    return QUrl::fromLocalFile(QString::fromStdString(file.string())).toString();
  };
  EXPECT_EQ(urls.opened,
            (QStringList{url(root / "share/tiko/Readme.txt"), url(root / "user/Config.ini")}));
  EXPECT_TRUE(fs::is_regular_file(root / "user/Config.ini"));
  fs::remove_all(root);
}

TEST_F(MenuTest, AboutBoxLinksCloseItAndEscapeToo) {
  test::UrlRecorder urls;
  Item(1)->trigger();
  EXPECT_TRUE(about.isVisible());
  EXPECT_EQ(about.windowTitle(), "About the author...");
  QTest::mouseClick(about.findChild<QLabel*>("la_email_2"), Qt::LeftButton);
  EXPECT_EQ(urls.opened, QStringList{"mailto:tiko-simulator@example.org"});
  EXPECT_FALSE(about.isVisible());
  Item(1)->trigger();
  QTest::keyClick(&about, Qt::Key_Escape);
  EXPECT_FALSE(about.isVisible());
}

TEST_F(MenuTest, OpeningTheMenuReadsTheSplashSetting) {
  splash.chb_splashscreen->setChecked(false);
  popup->pm_0_menuPopup();
  EXPECT_FALSE(Item(11)->isChecked());  // absent: the check box
  store.values["SplashScreen"] = "1";
  popup->pm_0_menuPopup();
  EXPECT_TRUE(Item(11)->isChecked());
  Item(11)->trigger();
  EXPECT_EQ(store.values["SplashScreen"], "0");
  EXPECT_FALSE(Item(11)->isChecked());
}

// However the presentation switches, the check mark follows and an open
// in-game menu closes.
TEST_F(MenuTest, TheCheckMarkAndTheInGameMenuFollowThePresentation) {
  UnitProbe(unit).scene().SetBounds(btn_game_menu_background, 0, 0, 36, 32);
  Item(10)->trigger();
  EXPECT_EQ(host.switches, 1);
  EXPECT_FALSE(Item(10)->isChecked());
  popup->game_menu.btn_game_menu_topClick();
  ASSERT_TRUE(popup->game_menu.game_menu_open);
  host.shown.Set(true);  // F12, say, which the menu never sees
  EXPECT_TRUE(Item(10)->isChecked());
  EXPECT_FALSE(popup->game_menu.game_menu_open);
  Flush();
  EXPECT_EQ(Rows(), 0);
}

TEST_F(MenuTest, InGameMenuRowsAndTheirClicks) {
  UnitProbe(unit).scene().SetBounds(btn_game_menu_background, 0, 0, 36, 32);
  popup->game_menu.btn_game_menu_topClick();
  EXPECT_TRUE(popup->game_menu.game_menu_open);
  EXPECT_EQ(unit.scene()[btn_game_menu_background].width, 256);
  EXPECT_EQ(unit.scene()[btn_game_menu_background].height, 480);
  ASSERT_EQ(Rows(), 14);
  auto& rows = popup->game_menu.menu_label;
  EXPECT_EQ(rows[1]->text(), "   About...");
  EXPECT_EQ(rows[10]->text(), "   Display in fullscreen mode [V]");
  // The rows tile the open menu below its button, from top to bottom.
  QRegion tiled;
  for (int i = 1; i <= 14; ++i) {
    if (i > 1) {
      EXPECT_EQ(rows[i]->geometry().top(), rows[i - 1]->geometry().bottom() + 1) << i;
    }
    tiled += rows[i]->geometry();
  }
  EXPECT_EQ(tiled.boundingRect(), QRect(0, 32, 256, 480 - 32));
  EXPECT_EQ(tiled.rectCount(), 1);
  for (int i : {5, 9, 13}) {
    EXPECT_TRUE(rows[i]->text().isEmpty());
    QTest::mouseClick(rows[i], Qt::LeftButton);
  }
  EXPECT_TRUE(popup->game_menu.game_menu_open);  // blank rows do nothing
  EXPECT_EQ(host.main.presses, 0);               // and do not pass the click on

  QTest::mouseClick(rows[7], Qt::LeftButton);
  EXPECT_TRUE(keys.isVisible());
  EXPECT_FALSE(popup->game_menu.game_menu_open);
  Flush();
  EXPECT_EQ(Rows(), 0);
  EXPECT_EQ(unit.scene()[btn_game_menu_background].width, 36);
  keys.hide();
  host.main.setEnabled(true);

  // The switch from the in-game menu leaves no rows behind.
  popup->game_menu.btn_game_menu_topClick();
  QTest::mouseClick(popup->game_menu.menu_label[10], Qt::LeftButton);
  Flush();
  EXPECT_EQ(host.switches, 1);
  EXPECT_EQ(Rows(), 0);
  EXPECT_FALSE(popup->game_menu.game_menu_open);
}

}  // namespace
}  // namespace tiko
