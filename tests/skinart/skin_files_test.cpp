// The skin that the build puts beside the program: Config.ini names a real,
// well-sized picture for every image, agrees with the drawings it was cut
// from, and the pictures fit together the way the window stacks them.
#include <gtest/gtest.h>

#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QImageReader>
#include <QRect>

#include "engine/image_id.h"
#include "tests/skinart/skin_ini.h"

namespace {

using namespace tiko;
using skinart::SkinIni;

const QString kBin = TIKO_TEST_BIN_DIR;

QString Section(int n) {
  return QString("Image%1").arg(n);
}

QString Native(QString path) {
  return path.replace('\\', '/');
}

class SkinFiles : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(config_.Load(QDir(kBin).filePath("Config.ini"))) << "no Config.ini in build/bin";
    skin_dir_ = QDir(kBin).filePath(Native(config_.Text("Common", "SkinDir")));
  }
  QRect Place(ImageId id) const {
    const QString s = Section(id);
    return QRect(config_.Integer(s, "Left", 0), config_.Integer(s, "Top", 0),
                 config_.Integer(s, "Width", 0), config_.Integer(s, "Height", 0));
  }
  QImage Picture(ImageId id) const {
    return QImage(QDir(skin_dir_).filePath(config_.Text(Section(id), "Filename")));
  }

  SkinIni config_;
  QString skin_dir_;
};

TEST_F(SkinFiles, EveryImageNamesAPngOfItsOwnSize) {
  for (int n = 1; n <= kSkinImageCount; ++n) {
    SCOPED_TRACE(ImageName(ImageId(n)).data());
    const QString file = config_.Text(Section(n), "Filename");
    ASSERT_FALSE(file.isEmpty());
    ASSERT_NE(file, "nil");
    const QString path = QDir(skin_dir_).filePath(file);
    ASSERT_TRUE(QFileInfo::exists(path)) << path.toStdString();
    QImageReader reader(path);
    EXPECT_EQ(reader.format(), "png");
    const QImage image = reader.read();
    ASSERT_FALSE(image.isNull()) << reader.errorString().toStdString();
    EXPECT_TRUE(image.hasAlphaChannel());
    EXPECT_EQ(image.size(), Place(ImageId(n)).size());
    // Not a stand-in: the placeholder is a 10 x 10 red square.
    EXPECT_NE(image.size(), QSize(10, 10));
  }
}

TEST_F(SkinFiles, ConfigAgreesWithTheRenderedDrawings) {
  SkinIni layout;
  ASSERT_TRUE(layout.Load(TIKO_TEST_SKIN_LAYOUT));
  for (int n = 1; n <= kSkinImageCount; ++n) {
    SCOPED_TRACE(ImageName(ImageId(n)).data());
    for (const char* key : {"Filename", "Left", "Top", "Width", "Height"}) {
      EXPECT_EQ(config_.Text(Section(n), key), layout.Text(Section(n), key))
          << key << ": run the skin_config_update target after changing a drawing";
    }
  }
}

TEST_F(SkinFiles, TheUnitFitsTheWindowAndItsOutlineHasNoHalfTransparentEdge) {
  const QRect window(0, 0, config_.Integer("Common", "GameWidth", 0),
                     config_.Integer("Common", "GameHeight", 0));
  EXPECT_EQ(window.size(), QSize(499, 771));
  for (int n = 1; n <= kSkinImageCount; ++n) {
    const auto id = ImageId(n);
    if (id >= im_panel_number_0 && id <= im_panel_number_9) continue;  // never shown
    EXPECT_TRUE(window.contains(Place(id))) << ImageName(id);
  }
  // These pictures meet the transparency colour: a pixel that blends with it
  // would show as a coloured fringe around the window.
  for (ImageId id : {im_background_bottom, im_background_back, im_background_front}) {
    const QImage image = Picture(id).convertToFormat(QImage::Format_ARGB32);
    int soft = 0;
    for (int y = 0; y < image.height(); ++y) {
      for (int x = 0; x < image.width(); ++x) {
        const int a = qAlpha(image.pixel(x, y));
        if (a != 0 && a != 255) ++soft;
      }
    }
    EXPECT_EQ(soft, 0) << ImageName(id);
  }
}

TEST_F(SkinFiles, CopiedPicturesFitThePlacesTheyAreCopiedTo) {
  for (int d = 0; d <= 9; ++d) {
    for (ImageId place : {im_panel_digit_1, im_panel_digit_2, im_panel_digit_3, im_panel_digit_4}) {
      EXPECT_EQ(Place(ImageId(im_panel_number_0 + d)).size(), Place(place).size());
    }
  }
  for (ImageId pressed :
       {btn_cross_down_up, btn_cross_down_down, btn_cross_down_left, btn_cross_down_right}) {
    EXPECT_EQ(Place(pressed), Place(btn_cross_down)) << ImageName(pressed);
  }
}

TEST_F(SkinFiles, SegmentsLieOnTheScreenAndButtonsOnTheBody) {
  // The background reaches 2 pixels under the screen frame on every side.
  const QRect lcd = Place(im_game_background).adjusted(2, 2, -2, -2);
  for (int n = im_panel_miss_0; n <= im_miss_2; ++n) {
    const auto id = ImageId(n);
    if (id >= im_panel_number_0 && id <= im_panel_number_9) continue;
    EXPECT_TRUE(lcd.contains(Place(id))) << ImageName(id);
  }
  const QRect body = Place(im_background_bottom);
  for (int n = btn_game_a_down; n <= btn_ctrlr_overlay_down; ++n) {
    EXPECT_TRUE(body.contains(Place(ImageId(n)))) << ImageName(ImageId(n));
  }
  // A pressed picture shows under its click area, at the same place.
  for (auto [down, top] : {std::pair{btn_game_a_down, btn_game_a_top},
                           {btn_game_b_down, btn_game_b_top},
                           {btn_time_down, btn_time_top},
                           {btn_acl_down, btn_acl_top},
                           {btn_jump_down, btn_jump_top},
                           {btn_cross_down, btn_cross_top}}) {
    EXPECT_TRUE(Place(down).intersects(Place(top))) << ImageName(down);
    EXPECT_TRUE(Place(top).contains(Place(down).center())) << ImageName(down);
  }
  EXPECT_TRUE(Place(im_background_front).contains(Place(btn_open)));
}

TEST_F(SkinFiles, FullscreenBackdropAndLogoAreThere) {
  const QString dir = QDir(kBin).filePath(Native(config_.Text("Fullscreen", "BackdropDir")));
  const QImage backdrop(QDir(dir).filePath(config_.Text("Fullscreen", "BackdropFile")));
  const QImage logo(QDir(dir).filePath(config_.Text("Fullscreen", "LogoFile")));
  EXPECT_EQ(backdrop.size(), QSize(1920, 1080));
  EXPECT_FALSE(logo.isNull());
  EXPECT_TRUE(logo.hasAlphaChannel());
}

}  // namespace
