// The main window over the default skin and the real skin loader: every button
// can be reached with the mouse, the outline is the unit's, and F12 twice
// gives back the same window.
#include <gtest/gtest.h>

#include <QKeyEvent>
#include <QTest>

#include "display/mouse_targets.h"
#include "fake_skin.h"

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

}  // namespace
}  // namespace tiko
