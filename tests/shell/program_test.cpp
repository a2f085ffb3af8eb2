// The main window with the shell's windows and menus around it.
#include "app/program/program.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QWindow>
#include <initializer_list>

#include "display/hints.h"
#include "engine/unit_probe.h"
#include "tests/display/fake_skin.h"
#include "tests/support/memory_store.h"

namespace tiko {
namespace {

// The tests' skin with the cross pad (blue) and its up overlay (red) at one place.
void SkinWithCrossPad(Scene& scene, SkinPictures& pictures, SkinWindow& window,
                      const DataFolders& dir) {
  test::FakeLoadSkin(scene, pictures, window, dir);
  for (auto [id, colour] : {std::pair{btn_cross_top, Qt::blue}, {btn_ctrlr_overlay_up, Qt::red}}) {
    scene.SetBounds(id, 100, 100, 20, 20);
    pictures.picture[id] = QImage(20, 20, QImage::Format_ARGB32);
    pictures.picture[id].fill(colour);
  }
}

class ProgramTest : public testing::Test {
 protected:
  void Start(SkinLoader skin = test::FakeLoadSkin) {
    FormParts parts;
    parts.store = &store;
    parts.load_skin = std::move(skin);
    parts.data_dir = "/nonexistent";
    form = std::make_unique<TForm1>(std::move(parts));
    form->show_error_box = [this](const QString& m) { errors << m; };
    form->terminate = [this] { ++terminates; };
    form->FormCreate();
    program = std::make_unique<Program>(
        *form, store,
        [this](std::optional<SoundOutput> output) {
          outputs.push_back(output ? std::string(InfoOf(*output).entry) : std::string());
          return true;
        },
        "/nonexistent");
    form->show();
    QCoreApplication::processEvents();
  }
  void TearDown() override {
    if (program) program->popup().pm_0_menu->hide();
  }
  bool Centred() {
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    return form->geometry().center() == screen.center() ||
           (form->geometry().center() - screen.center()).manhattanLength() <= 2;
  }
  void Activate() {
    form->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
  }
  int Rows() { return static_cast<int>(form->findChildren<QLabel*>().size()); }

  test::MemoryStore store;
  std::unique_ptr<TForm1> form;
  std::unique_ptr<Program> program;
  std::vector<std::string> outputs;
  QStringList errors;
  int terminates = 0;
};

TEST_F(ProgramTest, FirstStartShowsTheSplashAndPlayHandsOverToTheUnit) {
  Start();
  EXPECT_TRUE(program->splash().isVisible());
  EXPECT_FALSE(Centred());  // still off the screen
  program->splash().cb_sound->setCurrentIndex(2);
  QTest::keyClick(program->splash().cb_sound, Qt::Key_Return);
  EXPECT_EQ(outputs, std::vector<std::string>{"(no sound)"});
  EXPECT_FALSE(program->splash().isVisible());
  EXPECT_TRUE(Centred());
  EXPECT_EQ(store.values["SplashScreen"], "1");
  EXPECT_TRUE(program->popup().menu_item[11]->isChecked());
}

TEST_F(ProgramTest, SplashSwitchedOffGoesStraightToTheUnit) {
  store.values = {{"SoundMode", "2"}, {"SplashScreen", "0"}};
  Start();
  EXPECT_EQ(outputs, std::vector<std::string>{"(no sound)"});
  EXPECT_FALSE(program->splash().isVisible());
  program->FormActivate();  // a later activation shows no splash
  EXPECT_FALSE(program->splash().isVisible());
  EXPECT_TRUE(Centred());
  EXPECT_FALSE(program->popup().menu_item[11]->isChecked());
}

TEST_F(ProgramTest, KeySettingsChangeTheKeysAndTheHints) {
  store.values = {{"SoundMode", "2"}, {"SplashScreen", "0"}};
  Start();
  EXPECT_EQ(HintOf(form->unit(), btn_jump_top), "click or press 'ctrl' key");
  program->popup().menu_item[7]->trigger();
  EXPECT_FALSE(form->isEnabled());
  // The dialog stays above the main window and takes the focus back from it.
  ASSERT_TRUE(program->keys().windowHandle());
  EXPECT_EQ(program->keys().windowHandle()->transientParent(), form->windowHandle());
  form->activateWindow();
  QEvent activate(QEvent::WindowActivate);
  QApplication::sendEvent(form.get(), &activate);
  EXPECT_TRUE(QTest::qWaitForWindowActive(&program->keys()));
  // Minimized by a window manager, it comes back with a click on the unit.
  program->keys().setWindowState(Qt::WindowMinimized);
  QMouseEvent press(QEvent::MouseButtonPress, QPointF(5, 5), QPointF(5, 5), Qt::LeftButton,
                    Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(form.get(), &press);
  EXPECT_FALSE(program->keys().isMinimized());
  EXPECT_TRUE(program->keys().isVisible());
  program->keys().cb[9]->setCurrentText("<SPACEBAR>");
  QTest::mouseClick(program->keys().btn_accept, Qt::LeftButton);
  EXPECT_TRUE(form->isEnabled());
  EXPECT_EQ(store.values["Key9"], "44");
  EXPECT_EQ(form->unit().key_bindings()[9].key_code, vk::kSpace);
  EXPECT_EQ(HintOf(form->unit(), btn_jump_top), "click or press 'spacebar'");
}

// Every window but the unit is the main window's dialog: kept above it by the
// window manager, also fullscreen, and without minimize or maximize.
TEST_F(ProgramTest, TheOtherWindowsAreDialogsOfTheMainWindow) {
  store.values = {{"SoundMode", "2"}, {"SplashScreen", "0"}};
  Start();
  for (QWidget* dialog :
       std::initializer_list<QWidget*>{&program->about(), &program->manual(), &program->keys()}) {
    ASSERT_TRUE(dialog->windowHandle()) << dialog->windowTitle().toStdString();
    EXPECT_EQ(dialog->windowHandle()->transientParent(), form->windowHandle());
    EXPECT_EQ(dialog->windowType(), Qt::Dialog);
    EXPECT_FALSE(dialog->windowFlags() & (Qt::WindowStaysOnTopHint | Qt::WindowMinMaxButtonsHint));
  }
  EXPECT_TRUE(program->manual().windowFlags() & Qt::FramelessWindowHint);
}

TEST_F(ProgramTest, ShortcutsWithoutTheMenu) {
  store.values = {{"SoundMode", "2"}, {"SplashScreen", "0"}, {"FullscreenMode", "0"}};
  Start();
  Activate();
  QTest::keyClick(form.get(), Qt::Key_F12);
  EXPECT_TRUE(form->FullscreenOn());
  EXPECT_EQ(store.values["FullscreenMode"], "1");
  EXPECT_TRUE(program->popup().menu_item[10]->isChecked());
  EXPECT_FALSE(program->popup().pm_0_menu->isVisible());
  Activate();
  QTest::keyClick(form.get(), Qt::Key_F4);
  EXPECT_TRUE(program->manual().isVisible());
  program->manual().hide();
  Activate();
  QTest::keyClick(form.get(), Qt::Key_Escape);
  EXPECT_EQ(terminates, 1);
}

TEST_F(ProgramTest, RightClickOnAnOpenInGameMenuOpensThePopupInstead) {
  store.values = {{"SoundMode", "2"}, {"SplashScreen", "0"}};
  Start();
  ASSERT_TRUE(form->FullscreenOn());
  QTest::mouseClick(form.get(), Qt::LeftButton, {}, QPoint(10, 10));  // the menu button
  ASSERT_TRUE(program->popup().game_menu.game_menu_open);
  EXPECT_EQ(Rows(), 14);
  EXPECT_EQ(form->unit().scene()[btn_game_menu_background].height, 480);
  QLabel* row = program->popup().game_menu.menu_label[3];
  // The right press passes the row by, and so does the context menu request it brings.
  QTest::mousePress(row, Qt::RightButton, {}, QPoint(20, 10));
  QContextMenuEvent request(QContextMenuEvent::Mouse, QPoint(20, 10),
                            row->mapToGlobal(QPoint(20, 10)));
  QApplication::sendEvent(row, &request);
  QTest::mouseRelease(row, Qt::RightButton, {}, QPoint(20, 10));
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_TRUE(program->popup().pm_0_menu->isVisible());
  EXPECT_FALSE(program->popup().game_menu.game_menu_open);
  EXPECT_EQ(Rows(), 0);
  EXPECT_EQ(form->unit().scene()[btn_game_menu_background].height, 32);
}

TEST_F(ProgramTest, OverlaySwitchIsSeenAtOnce) {
  store.values = {{"SoundMode", "2"}, {"SplashScreen", "0"}};
  Start(SkinWithCrossPad);
  QTest::qWait(20);
  ASSERT_EQ(form->Frame().pixelColor(110, 110), QColor(Qt::red));
  program->popup().menu_item[12]->trigger();
  QTest::qWait(20);
  EXPECT_EQ(store.values["CtrlrOverlay"], "0");
  EXPECT_EQ(form->Frame().pixelColor(110, 110), QColor(Qt::blue));
  program->popup().menu_item[12]->trigger();
  QTest::qWait(20);
  EXPECT_EQ(form->Frame().pixelColor(110, 110), QColor(Qt::red));
}

}  // namespace
}  // namespace tiko
