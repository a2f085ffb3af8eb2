// The main window over the default skin and the real skin loader: every button
// can be reached with the mouse, the outline is the unit's, and F12 twice
// gives back the same window.
#include <gtest/gtest.h>

#include <QKeyEvent>
#include <QTest>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "display/mouse_targets.h"
#include "fake_skin.h"
#include "tests/config/temp_dir.h"

namespace tiko {
namespace {

using test::FormFixture;

// Config.ini lies beside the program; the pictures it names are found from
// the working folder, which the test sets to the program's folder.
struct RealSkin : FormFixture {
  RealSkin() : FormFixture(false, &Gfx_Load_Skin, TIKO_TEST_BIN_DIR) {}
};

QPoint Centre(const Image& image) {
  return {image.left + image.width / 2, image.top + image.height / 2};
}

TEST(RealSkinTest, EveryButtonTakesTheMouseAtItsCentre) {
  RealSkin f;
  f.form->show_error_box = [](const QString& m) { FAIL() << m.toStdString(); };
  f.Create();
  Unit& unit = f.form->unit();
  EXPECT_EQ(f.form->size(), QSize(499, 771));
  EXPECT_EQ(TargetAt(unit.scene(), Centre(unit.scene()[btn_open]).x(),
                     Centre(unit.scene()[btn_open]).y()),
            btn_open);
  QTest::mouseClick(f.form.get(), Qt::LeftButton, {}, Centre(unit.scene()[btn_open]));
  ASSERT_EQ(unit.vars().mode, Mode::kAllSegments);
  for (ImageId id : {btn_game_a_top, btn_game_b_top, btn_time_top, btn_acl_top, btn_jump_top,
                     btn_alarm_top, btn_ctrlr_overlay_up, btn_ctrlr_overlay_left,
                     btn_ctrlr_overlay_right, btn_ctrlr_overlay_down}) {
    const QPoint centre = Centre(unit.scene()[id]);
    EXPECT_EQ(TargetAt(unit.scene(), centre.x(), centre.y()), id) << ImageName(id);
  }
  unit.SetControllerOverlay(false);
  const QPoint pad = Centre(unit.scene()[btn_cross_top]);
  EXPECT_EQ(TargetAt(unit.scene(), pad.x(), pad.y()), btn_cross_top);
}

TEST(RealSkinTest, TheWindowHasTheUnitsOutline) {
  RealSkin f;
  f.Create();
  ASSERT_TRUE(f.form->ColourKeyOn());
  const QRegion outline = f.form->mask();
  EXPECT_FALSE(outline.contains(QPoint(0, 0)));
  EXPECT_FALSE(outline.contains(QPoint(498, 770)));
  EXPECT_TRUE(outline.contains(QPoint(250, 385)));
}

TEST(RealSkinTest, F12TwiceGivesBackTheSameWindow) {
  RealSkin f;
  f.Create();
  TForm1& form = *f.form;
  std::vector<std::tuple<int, int, int, int, bool>> images;
  auto layout = [&] {
    images.clear();
    for (int id = 1; id < kImageEnd; ++id) {
      // A hidden logo keeps the place it had in fullscreen; only what shows counts.
      const Image& image = form.unit().scene()[static_cast<ImageId>(id)];
      if (image.visible) {
        images.emplace_back(image.left, image.top, image.width, image.height, true);
      } else {
        images.emplace_back(0, 0, 0, 0, false);
      }
    }
    return images;
  };
  const auto windowed = layout();
  const QRect geometry = form.geometry();
  const QImage frame = form.Frame().copy();
  const QRegion outline = form.mask();

  for (int i = 0; i < 2; ++i) {
    QKeyEvent f12(QEvent::KeyPress, Qt::Key_F12, Qt::NoModifier);
    QApplication::sendEvent(&form, &f12);
    QKeyEvent f12_up(QEvent::KeyRelease, Qt::Key_F12, Qt::NoModifier);
    QApplication::sendEvent(&form, &f12_up);
  }
  const auto again = layout();
  for (std::size_t i = 0; i < again.size(); ++i) {
    EXPECT_EQ(again[i], windowed[i]) << ImageName(static_cast<ImageId>(i + 1));
  }
  EXPECT_EQ(form.geometry(), geometry);
  EXPECT_EQ(form.mask(), outline);
  EXPECT_EQ(form.Frame(), frame);
  EXPECT_TRUE(f.errors.empty());
}

// The loader as it was: every picture decoded during the run.
void LoadEveryPictureAtOnce(Scene& scene, SkinPictures& pictures, SkinWindow& window,
                            const DataFolders& folders) {
  pictures.defer = false;
  Gfx_Load_Skin(scene, pictures, window, folders);
}

void Press(QWidget& form, Qt::Key key) {
  QKeyEvent down(QEvent::KeyPress, key, Qt::NoModifier);
  QApplication::sendEvent(&form, &down);
  QKeyEvent up(QEvent::KeyRelease, key, Qt::NoModifier);
  QApplication::sendEvent(&form, &up);
}

// The window decodes what its first frame shows and the rest on a thread of
// its own, held or not until that frame is painted: every frame is the one of
// a window that decoded them all at start, and a picture that cannot be
// decoded is told once, as it was, with every image from its entry on put back.
TEST(RealSkinTest, PicturesDecodedLaterDrawAndFailAsBefore) {
  test::WorkDir dir;
  const std::filesystem::path data = dir.path() / "data";
  std::filesystem::create_directories(data / "Graphics");
  std::filesystem::copy(std::filesystem::path(TIKO_TEST_BIN_DIR) / "Graphics" / "Skin",
                        data / "Graphics" / "Skin");
  std::filesystem::copy_file(std::filesystem::path(TIKO_TEST_BIN_DIR) / "Config.ini",
                             data / "Config.ini");
  for (bool broken : {false, true}) {
    SCOPED_TRACE(broken ? "a picture of the lid's opening broken" : "every picture sound");
    if (broken) {
      // Its header tells a size; nothing follows.
      static constexpr char kCut[] = "\x89PNG\r\n\x1a\n\0\0\0\rIHDR\0\0\x01\0\0\0\x01\0";
      test::WriteFile(data / "Graphics" / "Skin" / "im_game_background.png",
                      std::string(kCut, sizeof kCut - 1));
    }
    std::vector<std::vector<std::string>> errors;
    std::vector<std::vector<QImage>> frames;
    for (int way = 0; way < 3; ++way) {
      FormFixture f(false, way == 0 ? SkinLoader(&LoadEveryPictureAtOnce) : &Gfx_Load_Skin, data);
      if (way == 2) f.form->HoldPicturesUntilShown();
      f.Create();
      std::vector<QImage> shown = {f.form->Frame().copy()};
      ASSERT_TRUE(QTest::qWaitFor([&] { return !f.form->pictures().pending; }, 10000));
      QCoreApplication::processEvents();  // a message found meanwhile is told
      Press(*f.form, Qt::Key_5);          // the lid opens: every segment shows
      shown.push_back(f.form->Frame().copy());
      QKeyEvent game_a(QEvent::KeyPress, Qt::Key_1, Qt::NoModifier);  // held: the high score
      QApplication::sendEvent(f.form.get(), &game_a);
      shown.push_back(f.form->Frame().copy());
      frames.push_back(std::move(shown));
      errors.push_back(f.errors);
    }
    EXPECT_EQ(errors[0].size(), broken ? 1u : 0u);
    for (int way : {1, 2}) {
      SCOPED_TRACE(way == 2 ? "held until shown" : "not held");
      EXPECT_EQ(errors[way], errors[0]);
      ASSERT_EQ(frames[way].size(), frames[0].size());
      for (std::size_t i = 0; i < frames[0].size(); ++i)
        EXPECT_TRUE(frames[way][i] == frames[0][i]) << i;
    }
  }
}

// What the window paints is its frame, also when several changes came between
// two paints and their places were composed for the outline before.
TEST(RealSkinTest, ThePaintedWindowIsTheFrame) {
  RealSkin f;
  f.Create();
  QCoreApplication::processEvents();
  auto same = [&] {
    const QImage painted = f.form->grab().toImage();
    return painted.convertToFormat(QImage::Format_ARGB32_Premultiplied) ==
           f.form->Frame().convertToFormat(QImage::Format_ARGB32_Premultiplied);
  };
  EXPECT_TRUE(same()) << "closed";
  Press(*f.form, Qt::Key_5);  // the lid opens: everything changes
  QKeyEvent game_a(QEvent::KeyPress, Qt::Key_1, Qt::NoModifier);  // held: the high score
  QApplication::sendEvent(f.form.get(), &game_a);
  EXPECT_TRUE(same()) << "Game A's high score";
  QKeyEvent game_a_up(QEvent::KeyRelease, Qt::Key_1, Qt::NoModifier);
  QApplication::sendEvent(f.form.get(), &game_a_up);
  Press(*f.form, Qt::Key_3);  // the clock
  EXPECT_TRUE(same()) << "the clock";
  EXPECT_TRUE(f.errors.empty());
}

// Pictures let go after the lid opened come back with their pixels: every
// frame and outline is the one of a window that kept them all, at 100 % and
// at 200 %, and no message is told.
TEST(RealSkinTest, PicturesLetGoDrawAsBefore) {
  struct Step {
    const char* name;
    std::function<void(TForm1&)> act;
  };
  const std::vector<Step> steps = {
      {"open", [](TForm1& f) { Press(f, Qt::Key_5); }},
      {"clock", [](TForm1& f) { Press(f, Qt::Key_3); }},
      {"let go", [](TForm1& f) { f.picture_shelf().LetGo(); }},
      {"game A", [](TForm1& f) { Press(f, Qt::Key_1); }},
      {"closed", [](TForm1& f) { Press(f, Qt::Key_5); }},
      {"let go closed", [](TForm1& f) { f.picture_shelf().LetGo(); }},
      {"opened", [](TForm1& f) { Press(f, Qt::Key_5); }},
      {"200 %", [](TForm1& f) { f.SetZoom(200); }},
      {"let go at 200 %", [](TForm1& f) { f.picture_shelf().LetGo(); }},
      {"closed at 200 %", [](TForm1& f) { Press(f, Qt::Key_5); }},
      {"100 %", [](TForm1& f) { f.SetZoom(100); }},
  };
  std::vector<std::vector<std::pair<QImage, QRegion>>> runs;
  std::vector<std::int64_t> picture_bytes;
  for (bool let_go : {false, true}) {
    RealSkin f;
    f.Create();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !f.form->pictures().pending; }, 10000));
    f.form->picture_shelf().SetKeep(let_go ? std::chrono::milliseconds(0) : std::chrono::hours(1));
    std::vector<std::pair<QImage, QRegion>> shown;
    for (const Step& step : steps) {
      step.act(*f.form);
      shown.emplace_back(f.form->Frame().copy(), f.form->mask());
      if (std::string(step.name) == "let go") picture_bytes.push_back(f.form->PictureBytes());
    }
    runs.push_back(std::move(shown));
    EXPECT_TRUE(f.errors.empty());
  }
  // The closed unit's front and the pad's pressed pictures went, a tenth of them kept deflated.
  EXPECT_LT(picture_bytes[1], picture_bytes[0] - 700 * 1024);
  for (std::size_t i = 0; i < steps.size(); ++i) {
    EXPECT_TRUE(runs[1][i].first == runs[0][i].first) << steps[i].name;
    EXPECT_EQ(runs[1][i].second, runs[0][i].second) << steps[i].name;
  }
}

}  // namespace
}  // namespace tiko
