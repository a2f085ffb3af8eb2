// Drawing at other scales: the zoom steps and the fit to the screen, pictures
// taken from their variants, and the window zoomed by the player.
#include <gtest/gtest.h>

#include <QDir>
#include <QKeyEvent>
#include <QScreen>
#include <QTemporaryDir>
#include <QWheelEvent>
#include <fstream>
#include <optional>

#include "config/skin/picture_budget.h"
#include "display/picture_scaling.h"
#include "display/window_shape.h"
#include "display/zoom.h"
#include "fake_skin.h"

namespace tiko {
namespace {

using test::FormFixture;

TEST(ZoomTest, StepsStayWithinTheRangeAndLandOnSteps) {
  EXPECT_EQ(StepZoom(100, 1), 110);
  EXPECT_EQ(StepZoom(100, -1), 90);
  EXPECT_EQ(StepZoom(100, 3), 150);
  EXPECT_EQ(StepZoom(400, 1), 400);
  EXPECT_EQ(StepZoom(50, -2), 50);
  EXPECT_EQ(StepZoom(105, 1), 110);  // a stored value between steps
  EXPECT_EQ(StepZoom(105, -1), 100);
  EXPECT_EQ(StepZoom(9999, -1), 300);
  EXPECT_EQ(ValidZoom(-5), 50);
  EXPECT_EQ(ValidZoom(1000), 400);
}

TEST(ZoomTest, TheUnitIsReducedOnlyWhenItDoesNotFit) {
  EXPECT_DOUBLE_EQ(FitScale({499, 771}, {1920, 1080}, 100), 1.0);
  EXPECT_DOUBLE_EQ(FitScale({499, 771}, {1366, 768}, 100), 768.0 / 771);
  EXPECT_DOUBLE_EQ(FitScale({499, 771}, {1366, 768}, 50), 0.5);
  EXPECT_DOUBLE_EQ(FitScale({499, 771}, {3840, 2160}, 200), 2.0);
  EXPECT_DOUBLE_EQ(FitScale({499, 771}, {3840, 2160}, 300), 2160.0 / 771);
  EXPECT_DOUBLE_EQ(FitScale({400, 100}, {200, 1000}, 100), 0.5);  // the width decides
  // The fitted size never leaves the area.
  const QSize fitted = ScaledSize({499, 771}, FitScale({499, 771}, {1366, 705}, 100));
  EXPECT_LE(fitted.height(), 705);
  EXPECT_EQ(KeepInside(QRect(-20, 700, 100, 100), QRect(0, 0, 1366, 768)), QPoint(0, 668));
  EXPECT_EQ(KeepInside(QRect(10, 10, 100, 100), QRect(0, 30, 1366, 768)), QPoint(10, 30));
}

QImage Filled(QSize size, QColor colour) {
  QImage image(size, QImage::Format_ARGB32);
  image.fill(colour);
  return image;
}

class VariantFiles : public ::testing::Test {
 protected:
  std::filesystem::path Save(const QString& name, const QImage& image) {
    const QString path = QDir(dir_.path()).filePath(name);
    EXPECT_TRUE(image.save(path, "PNG"));
    return path.toStdString();
  }
  QTemporaryDir dir_;
};

TEST_F(VariantFiles, TheSmallestVariantAtOrAboveTheScaleServes) {
  const QImage base = Filled({10, 6}, Qt::red);
  const auto file = Save("pic.png", base);
  Save("pic@2x.png", Filled({20, 12}, Qt::green));
  Save("pic@3x.png", Filled({30, 18}, Qt::blue));
  const PictureVariants variants = FindVariants(file);
  ASSERT_FALSE(variants.at2x.empty());
  ASSERT_FALSE(variants.at3x.empty());

  EXPECT_EQ(ScalePicture(base, variants, 1.0), base);
  EXPECT_EQ(ScalePicture(base, variants, 0.5).pixelColor(2, 2), QColor(Qt::red));
  const QImage at_1_5 = ScalePicture(base, variants, 1.5);
  EXPECT_EQ(at_1_5.size(), QSize(15, 9));
  EXPECT_EQ(at_1_5.pixelColor(7, 4), QColor(Qt::green));
  EXPECT_EQ(ScalePicture(base, variants, 2.0).pixelColor(5, 5), QColor(Qt::green));
  EXPECT_EQ(ScalePicture(base, variants, 2.5).pixelColor(5, 5), QColor(Qt::blue));
  const QImage at_4 = ScalePicture(base, variants, 4.0);
  EXPECT_EQ(at_4.size(), QSize(40, 24));
  EXPECT_EQ(at_4.pixelColor(20, 12), QColor(Qt::blue));
}

TEST_F(VariantFiles, AVariantOfTheWrongSizeOrUnreadableIsPassedOver) {
  const QImage base = Filled({10, 6}, Qt::red);
  const auto file = Save("pic.png", base);
  Save("pic@2x.png", Filled({21, 12}, Qt::green));
  {
    std::ofstream broken(std::filesystem::path(file).replace_filename("pic@3x.png"));
    broken << "not a picture";
  }
  const PictureVariants variants = FindVariants(file);
  EXPECT_EQ(ScalePicture(base, variants, 2.0).pixelColor(5, 5), QColor(Qt::red));
  EXPECT_EQ(ScalePicture(base, variants, 3.0).size(), QSize(30, 18));
  EXPECT_TRUE(FindVariants(Save("alone.png", base)).at2x.empty());
}

// A skin picture is decoded once, premultiplied, and drawn at 100 % as it is.
TEST_F(VariantFiles, AtFullSizeTheDecodedPictureIsDrawnWithoutACopy) {
  QImage soft = Filled({6, 4}, QColor(200, 40, 0, 128));
  SkinPictures pictures;
  PictureBudget budget;
  pictures.picture[im_background_bottom] = *budget.Load(Save("soft.png", soft));
  pictures.picture[im_background_front] = *budget.Load(Save("flat.png", Filled({3, 3}, Qt::red)));
  const PictureTable drawn = ScalePictures(pictures, 1.0, 1.0).table;
  for (ImageId id : {im_background_bottom, im_background_front}) {
    EXPECT_EQ(pictures.picture[id].format(), QImage::Format_ARGB32_Premultiplied);
    EXPECT_EQ(drawn[id].constBits(), pictures.picture[id].constBits());
  }
  EXPECT_EQ(drawn[im_background_bottom].pixelColor(1, 1).alpha(), 128);
}

// Without variants a picture is scaled smoothly; hard outlines stay hard.
TEST(PictureScaling, SoftPicturesBlendAndHardOutlinesStayHard) {
  QImage soft(4, 4, QImage::Format_ARGB32);
  soft.fill(Qt::white);
  for (int y = 0; y < 4; ++y) soft.setPixelColor(0, y, QColor(0, 0, 0, 200));
  const QImage soft_scaled = ScalePicture(soft, {}, 1.5);
  bool blended = false;
  for (int x = 0; x < soft_scaled.width(); ++x) {
    const QColor c = soft_scaled.pixelColor(x, 2);
    blended |= c.red() > 10 && c.red() < 245;
  }
  EXPECT_TRUE(blended);

  QImage hard(5, 5, QImage::Format_ARGB32);
  hard.fill(Qt::transparent);
  for (int y = 0; y < 5; ++y) {
    for (int x = 0; x < 5; ++x) {
      if ((x - 2) * (x - 2) + (y - 2) * (y - 2) <= 4) hard.setPixelColor(x, y, QColor(0, 120, 90));
    }
  }
  const QImage hard_scaled = ScalePicture(hard, {}, 1.5).convertToFormat(QImage::Format_ARGB32);
  for (int y = 0; y < hard_scaled.height(); ++y) {
    for (int x = 0; x < hard_scaled.width(); ++x) {
      const int alpha = qAlpha(hard_scaled.pixel(x, y));
      EXPECT_TRUE(alpha == 0 || alpha == 255) << x << "," << y;
    }
  }
}

// A window pixel over any see-through frame pixel is see-through.
TEST(PictureScaling, TheShapeShrinksToWindowPixelsWithoutShowingTheKey) {
  QImage frame(6, 6, QImage::Format_ARGB32);
  frame.fill(QColor(10, 20, 30));
  frame.setPixelColor(3, 0, QColor(255, 0, 255));
  const QImage mask = OutlineMask(frame, qRgb(255, 0, 255));
  const QImage halved = ShrinkMask(mask, {3, 3});
  EXPECT_EQ(halved.pixelIndex(1, 0), 1);
  EXPECT_EQ(halved.pixelIndex(0, 0) + halved.pixelIndex(2, 0) + halved.pixelIndex(1, 1), 0);
  const QImage by_1_5 =
      ShrinkMask(mask, {4, 4});  // window pixel 1 covers frame pixels 1 to 2, 2 covers 3
  EXPECT_EQ(by_1_5.pixelIndex(2, 0), 1);
  EXPECT_EQ(by_1_5.pixelIndex(1, 0) + by_1_5.pixelIndex(3, 0) + by_1_5.pixelIndex(2, 1), 0);
}

void SendKey(QWidget& w, int key, Qt::KeyboardModifiers modifiers = Qt::ControlModifier) {
  QKeyEvent press(QEvent::KeyPress, key, modifiers);
  QApplication::sendEvent(&w, &press);
  QKeyEvent release(QEvent::KeyRelease, key, modifiers);
  QApplication::sendEvent(&w, &release);
}

TEST(WindowZoom, KeysAndWheelZoomAroundTheCentreAndAreStored) {
  FormFixture f;
  f.Create();
  TForm1& form = *f.form;
  const QPoint centre = form.geometry().center();
  SendKey(form, Qt::Key_Plus, Qt::NoModifier);
  EXPECT_EQ(form.size(), QSize(220, 330));
  EXPECT_LE((form.geometry().center() - centre).manhattanLength(), 2);
  EXPECT_EQ(f.store.values["Zoom"], "110");
  SendKey(form, Qt::Key_Minus, Qt::KeypadModifier);
  SendKey(form, Qt::Key_Minus, Qt::NoModifier);
  EXPECT_EQ(form.size(), QSize(180, 270));
  SendKey(form, Qt::Key_0, Qt::KeypadModifier);
  EXPECT_EQ(form.size(), QSize(200, 300));
  EXPECT_EQ(f.store.values["Zoom"], "100");
  SendKey(form, Qt::Key_Plus, Qt::KeypadModifier | Qt::ControlModifier);  // Ctrl changes nothing
  EXPECT_EQ(form.Zoom(), 110);

  QWheelEvent wheel(QPointF(10, 10), QPointF(10, 10), QPoint(), QPoint(0, 240), Qt::NoButton,
                    Qt::NoModifier, Qt::NoScrollPhase, false);
  QApplication::sendEvent(&form, &wheel);
  EXPECT_EQ(form.Zoom(), 150);
}

// Ctrl is Jump by default: Ctrl+0 and Ctrl+wheel are the game's then, and zoom
// only once Ctrl is bound to nothing.
TEST(WindowZoom, TheCtrlFormsZoomOnlyWhileCtrlIsNoControlsKey) {
  FormFixture f;
  f.Create();
  TForm1& form = *f.form;
  SendKey(form, Qt::Key_Plus, Qt::NoModifier);
  QWheelEvent ctrl_wheel(QPointF(10, 10), QPointF(10, 10), QPoint(), QPoint(0, 120), Qt::NoButton,
                         Qt::ControlModifier, Qt::NoScrollPhase, false);
  QApplication::sendEvent(&form, &ctrl_wheel);
  SendKey(form, Qt::Key_0, Qt::ControlModifier);
  EXPECT_EQ(form.Zoom(), 110);

  test::Rebind(form.unit(), 9, 44);  // Jump on the space bar
  QApplication::sendEvent(&form, &ctrl_wheel);
  EXPECT_EQ(form.Zoom(), 125);
  SendKey(form, Qt::Key_0, Qt::ControlModifier);
  EXPECT_EQ(form.Zoom(), 100);
}

// The stored zoom is the zoom shown: steps start from what the screen shows
// and one that would not fit is not taken, nor stored.
TEST(ZoomTest, StepsGoFromTheZoomShownAndNeverPastWhatFits) {
  const QSize unit(499, 771);
  const QSize small(1280, 1024 - 30);  // fits up to 128 %
  EXPECT_EQ(ZoomAfterSteps(unit, small, 400, -1), 125);
  EXPECT_EQ(ZoomAfterSteps(unit, small, 400, 1), std::nullopt);
  EXPECT_EQ(ZoomAfterSteps(unit, small, 110, 1), 125);
  EXPECT_EQ(ZoomAfterSteps(unit, small, 110, 3), 125);  // the wheel stops at the last that fits
  EXPECT_EQ(ZoomAfterSteps(unit, small, 125, 1), std::nullopt);
  EXPECT_EQ(ZoomAfterSteps(unit, small, 67, -2), 50);
  EXPECT_EQ(ZoomAfterSteps(unit, small, 50, -1), std::nullopt);
  EXPECT_EQ(ZoomAfterSteps(unit, {998, 1542}, 100, 1), 110);
  EXPECT_EQ(ZoomAfterSteps(unit, {998, 1542}, 175, 1), 200);  // exactly fits
  EXPECT_EQ(ZoomAfterSteps(unit, {998, 1542}, 200, 1), std::nullopt);
}

TEST(WindowZoom, AStepFromAZoomTooLargeForTheScreenIsShownAndStored) {
  FormFixture f;
  f.store.values["Zoom"] = "400";
  f.Create();
  TForm1& form = *f.form;
  const QSize area = QGuiApplication::primaryScreen()->availableGeometry().size();
  const double fits = FitScale({200, 300}, area, 400);
  ASSERT_LT(fits, 4.0) << "the test screen is large enough for 400 %";
  const QSize fitted = form.size();
  SendKey(form, Qt::Key_Plus, Qt::NoModifier);
  EXPECT_EQ(form.size(), fitted);
  EXPECT_EQ(f.store.values["Zoom"], "400");
  SendKey(form, Qt::Key_Minus, Qt::NoModifier);
  EXPECT_LT(form.size().width(), fitted.width());
  EXPECT_EQ(f.store.values["Zoom"], std::to_string(form.Zoom()));
  EXPECT_DOUBLE_EQ(form.Scale(), form.Zoom() / 100.0);
}

TEST(WindowZoom, TheFrameTheShapeAndTheMouseFollowTheZoom) {
  FormFixture f;
  f.store.values["Zoom"] = "150";
  f.Create();
  TForm1& form = *f.form;
  ASSERT_EQ(form.size(), QSize(300, 450));
  ASSERT_EQ(form.Frame().size(), QSize(300, 450));
  // The lid's button at (50, 50, 40, 40) and the see-through corner, both at 150 %.
  EXPECT_EQ(form.Frame().pixelColor(100, 100), QColor(240, 200, 0));
  EXPECT_FALSE(form.mask().contains(QPoint(20, 20)));
  EXPECT_TRUE(form.mask().contains(QPoint(40, 20)));
  EXPECT_EQ(form.ScenePoint(QPointF(100, 100)), QPoint(66, 66));
  EXPECT_EQ(form.HintAt(QPoint(100, 100)),
            form.HintAt(QPoint(130, 130)));  // both on the lid button
  EXPECT_NE(form.HintAt(QPoint(100, 100)),
            form.HintAt(QPoint(60, 60)));  // the lid's button ends at 75
}

TEST(WindowZoom, AStoredZoomTooLargeForTheScreenIsFittedAndKept) {
  FormFixture f;
  f.store.values["Zoom"] = "9999";
  f.Create();
  TForm1& form = *f.form;
  const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
  EXPECT_EQ(form.Zoom(), 400);
  EXPECT_TRUE(area.contains(form.geometry()))
      << form.geometry().width() << "x" << form.geometry().height();
  EXPECT_DOUBLE_EQ(form.Scale(), FitScale({200, 300}, area.size(), 400));
  EXPECT_EQ(f.store.values["Zoom"], "9999");  // fitting is no choice of the player's
}

}  // namespace
}  // namespace tiko
