// Windowed and fullscreen presentation, the switch between them, the unit's
// outline, and errors met while laying the window out.
#include <gtest/gtest.h>

#include <QKeyEvent>
#include <QScreen>

#include "fake_skin.h"

namespace tiko {
namespace {

using test::FormFixture;

struct Layout {
  std::vector<std::tuple<int, int, int, int, bool>> images;
  QSize client;
  QRect geometry;
  QColor colour;
  bool colour_key;
  bool operator==(const Layout&) const = default;
};

Layout LayoutOf(TForm1& form) {
  Layout layout{{}, form.ClientSize(), form.geometry(), form.WindowColour(), form.ColourKeyOn()};
  for (int id = 1; id < kImageEnd; ++id) {
    const Image& image = form.unit().scene()[static_cast<ImageId>(id)];
    layout.images.emplace_back(image.left, image.top, image.width, image.height, image.visible);
  }
  return layout;
}

void PressF12(QWidget& w) {
  QKeyEvent press(QEvent::KeyPress, Qt::Key_F12, Qt::NoModifier);
  QApplication::sendEvent(&w, &press);
  QKeyEvent release(QEvent::KeyRelease, Qt::Key_F12, Qt::NoModifier);
  QApplication::sendEvent(&w, &release);
}

TEST(PresentationTest, WindowedTakesTheUnitsOutline) {
  FormFixture f;
  f.Create();
  TForm1& form = *f.form;
  EXPECT_EQ(form.size(), QSize(test::kGameWidth, test::kGameHeight));
  EXPECT_TRUE(form.windowFlags() & Qt::FramelessWindowHint);
  EXPECT_EQ(form.windowTitle(), "Bolo Garu Tiko (Vexmar, Ticklet Skyglass) Simulator");
  ASSERT_TRUE(form.UsesShapeMask());  // no compositor offscreen
  // The see-through corner of the body is cut out; the rest of the unit is not.
  EXPECT_FALSE(form.mask().contains(QPoint(5, 5)));
  EXPECT_TRUE(form.mask().contains(QPoint(25, 5)));
  EXPECT_TRUE(form.mask().contains(QPoint(199, 299)));
  // Centred on the screen.
  const QRect screen = QGuiApplication::primaryScreen()->geometry();
  EXPECT_EQ(form.geometry().center(), screen.center());
  EXPECT_FALSE(form.unit().scene().Visible(btn_game_menu_top));
}

// A skin with no pictures leaves only the key colour: the window shows the desktop.
TEST(PresentationTest, WindowedWithNothingButTheKeyColourIsAllSeeThrough) {
  FormFixture f(false, [](Scene&, SkinPictures&, SkinWindow& window, const DataFolders&) {
    window.SetClientHeight(100);
    window.SetClientWidth(80);
    window.SetColor(0x00ff00ff);
    window.SetColorKey(true, 0x00ff00ff);
  });
  f.Create();
  ASSERT_TRUE(f.form->UsesShapeMask());
  EXPECT_FALSE(f.form->mask().isEmpty());  // an empty one would show the whole window
  EXPECT_FALSE(f.form->mask().intersects(f.form->rect()));
}

TEST(PresentationTest, FullscreenCoversTheScreenWithTheUnitAtTheOffset) {
  FormFixture f(/*fullscreen=*/true);
  f.Create();
  TForm1& form = *f.form;
  const QSize screen = QGuiApplication::primaryScreen()->size();
  EXPECT_EQ(form.geometry(), QRect(QPoint(0, 0), screen));
  EXPECT_TRUE(form.mask().isEmpty());
  EXPECT_FALSE(form.ColourKeyOn());
  const QPoint offset((screen.width() - test::kGameWidth) / 2,
                      (screen.height() - test::kGameHeight) / 2);
  EXPECT_EQ(form.unit().scene()[btn_open].left, 50 + offset.x());
  // The background colour around the unit, the unit at its place, the menu symbol.
  EXPECT_EQ(form.Frame().pixelColor(offset.x() - 1, offset.y() + 100), QColor(0x20, 0x40, 0x80));
  EXPECT_EQ(form.Frame().pixelColor(offset + QPoint(60, 60)), QColor(240, 200, 0));
  EXPECT_TRUE(form.unit().scene().Visible(btn_game_menu_top));
  EXPECT_EQ(form.Frame().pixelColor(0, 0), QColor(Qt::black));
}

TEST(PresentationTest, F12TwiceGivesBackTheSameLayout) {
  FormFixture f;
  f.Create();
  TForm1& form = *f.form;
  const Layout windowed = LayoutOf(form);
  const QRegion outline = form.mask();

  PressF12(form);
  EXPECT_TRUE(form.FullscreenOn());
  EXPECT_EQ(f.store.values["FullscreenMode"], "1");
  const Layout fullscreen = LayoutOf(form);
  EXPECT_NE(fullscreen, windowed);
  EXPECT_TRUE(form.mask().isEmpty());

  PressF12(form);
  EXPECT_FALSE(form.FullscreenOn());
  EXPECT_EQ(f.store.values["FullscreenMode"], "0");
  EXPECT_EQ(LayoutOf(form), windowed);
  EXPECT_EQ(form.mask(), outline);

  PressF12(form);
  EXPECT_EQ(LayoutOf(form), fullscreen);
  EXPECT_TRUE(f.errors.empty());
}

// What shows the presentation (the menus) hears of each switch once, with the new one.
TEST(PresentationTest, EachSwitchIsToldOnceToWhatWatchesIt) {
  FormFixture f(/*fullscreen=*/true);
  f.Create();
  std::vector<bool> told;
  {
    const Presentation::Watch watch =
        f.form->presentation().Watched([&](bool fullscreen) { told.push_back(fullscreen); });
    f.form->pm_10_fullscreenClick();
    f.form->pm_10_fullscreenClick();
  }
  f.form->pm_10_fullscreenClick();  // no longer watched
  EXPECT_EQ(told, (std::vector<bool>{false, true}));
}

TEST(PresentationTest, ASkinErrorIsShownAndTheProgramGoesOn) {
  bool broken = true;
  FormFixture f(
      false, [&](Scene& scene, SkinPictures& pictures, SkinWindow& window, const DataFolders& dir) {
        test::FakeLoadSkin(scene, pictures, window, dir);
        if (broken) throw UnitError("'$zz' is not a valid integer value");
      });
  f.Create();
  ASSERT_EQ(f.errors, std::vector<std::string>{"'$zz' is not a valid integer value"});
  // The keys still work after the error, and the window is on the screen.
  QKeyEvent five(QEvent::KeyPress, Qt::Key_5, Qt::NoModifier, "5");
  QApplication::sendEvent(f.form.get(), &five);
  EXPECT_EQ(f.form->unit().vars().mode, Mode::kAllSegments);
  f.form->pm_10_fullscreenClick();
  EXPECT_EQ(f.errors.size(), 2u);
  EXPECT_EQ(f.form->pos(), QPoint(0, 0));
}

TEST(PresentationTest, AStoreErrorIsShownAndCreationGoesOn) {
  FormFixture f;
  f.store.wrong_type["CtrlrOverlay"] = true;
  f.Create();
  EXPECT_EQ(f.errors, std::vector<std::string>{"Invalid data type for 'CtrlrOverlay'"});
  EXPECT_EQ(f.store.values["Key9"], "42");
  EXPECT_EQ(f.form->HintAt({60, 60}), "click or press '5' to open the game");
}

TEST(PresentationTest, AMissingSkinFileEndsTheProgram) {
  FormFixture f(false, [](Scene&, SkinPictures&, SkinWindow& window, const DataFolders&) {
    window.ShowError("Configuration file (Config.ini) not found. Please reinstall the game.");
    window.RequestTerminate();
  });
  f.form->FormCreate();
  EXPECT_TRUE(f.form->TerminateRequested());
  EXPECT_EQ(f.terminations, 1);
  EXPECT_EQ(f.errors.size(), 1u);
}

}  // namespace
}  // namespace tiko
