// The frame: images in the stacking order, natural size clipped to the image,
// pictures drawn through the image that names them, the backdrop.
#include <gtest/gtest.h>

#include <QPainter>

#include "display/frame_painter.h"
#include "fake_skin.h"

namespace tiko {
namespace {

using test::Solid;

struct Canvas {
  Scene scene;
  PictureTable pictures;
  QImage Paint(QSize size = {100, 100}, bool stretch = false) {
    for (int id = 1; id < kImageEnd; ++id) scene.Hide(static_cast<ImageId>(id));
    for (auto& [id, rect] : shown) {
      scene.SetBounds(id, rect.left(), rect.top(), rect.width(), rect.height());
      scene.Show(id);
    }
    QImage frame(size, QImage::Format_ARGB32_Premultiplied);
    QPainter painter(&frame);
    PaintScene(painter, scene, PreparePictures(pictures), FrameLook{size, Qt::blue, stretch});
    return frame;
  }
  void Place(ImageId id, QRect rect, QColor colour) {
    shown.emplace_back(id, rect);
    pictures[id] = Solid(rect.size(), colour);
  }
  std::vector<std::pair<ImageId, QRect>> shown;
};

TEST(PaintingTest, LaterLayersCoverEarlierOnes) {
  Canvas canvas;
  // Each pair: the lower image first; all share the point (50, 50).
  const std::vector<ImageId> bottom_to_top = {im_background_bottom,
                                              im_game_background,
                                              btn_acl_top,
                                              im_tiko_1_5,
                                              btn_game_a_top,
                                              im_background_screen_top,
                                              btn_ctrlr_overlay_up,
                                              im_background_front,
                                              btn_open,
                                              btn_game_menu_background,
                                              btn_cross_down_up};
  // Placed top first, so that placing order cannot be what decides.
  for (int i = static_cast<int>(bottom_to_top.size()) - 1; i >= 0; --i) {
    canvas.Place(bottom_to_top[i], QRect(40, 40, 20 + i, 20 + i), QColor(10 * i, 0, 0));
  }
  const QImage all = canvas.Paint();
  EXPECT_EQ(all.pixelColor(50, 50), QColor(10 * 10, 0, 0));

  // Hiding the top images one by one uncovers the next lower one each time.
  for (int i = static_cast<int>(bottom_to_top.size()) - 1; i > 0; --i) {
    canvas.shown.erase(std::remove_if(canvas.shown.begin(), canvas.shown.end(),
                                      [&](auto& s) { return s.first == bottom_to_top[i]; }),
                       canvas.shown.end());
    EXPECT_EQ(canvas.Paint().pixelColor(50, 50), QColor(10 * (i - 1), 0, 0))
        << "under " << ImageName(bottom_to_top[i]);
  }
}

TEST(PaintingTest, PictureAtNaturalSizeClippedToTheImage) {
  Canvas canvas;
  canvas.Place(im_background_bottom, QRect(0, 0, 100, 100), Qt::gray);
  // A 30 x 30 picture in a 20 x 40 image: clipped at x = 30, not stretched below y = 40.
  canvas.shown.emplace_back(im_crow_1_1, QRect(10, 10, 20, 40));
  canvas.pictures[im_crow_1_1] = Solid({30, 30}, Qt::red);
  const QImage frame = canvas.Paint();
  EXPECT_EQ(frame.pixelColor(29, 39), QColor(Qt::red));
  EXPECT_EQ(frame.pixelColor(30, 20), QColor(Qt::gray));
  EXPECT_EQ(frame.pixelColor(20, 40), QColor(Qt::gray));
  EXPECT_EQ(frame.pixelColor(5, 5), QColor(Qt::gray));
}

TEST(PaintingTest, ImagesDrawThePictureTheyName) {
  Canvas canvas;
  canvas.pictures[im_panel_number_7] = Solid({8, 8}, Qt::green);
  canvas.shown.emplace_back(im_panel_digit_2, QRect(10, 10, 8, 8));
  canvas.scene.SetPicture(im_panel_digit_2, im_panel_number_7);
  EXPECT_EQ(canvas.Paint().pixelColor(12, 12), QColor(Qt::green));

  // A blank digit place is visible but draws nothing: the window colour shows.
  canvas.scene.SetPicture(im_panel_digit_2, kNoImage);
  EXPECT_EQ(canvas.Paint().pixelColor(12, 12), QColor(Qt::blue));
}

TEST(PaintingTest, BackdropCentredOrStretchedAndLogoAtItsOwnSize) {
  Canvas canvas;
  canvas.shown.emplace_back(im_backdrop, QRect(0, 0, 0, 0));
  canvas.pictures[im_backdrop] = Solid({20, 20}, Qt::yellow);
  QImage centred = canvas.Paint({100, 60});
  EXPECT_EQ(centred.pixelColor(40, 20), QColor(Qt::yellow));
  EXPECT_EQ(centred.pixelColor(59, 39), QColor(Qt::yellow));
  EXPECT_EQ(centred.pixelColor(39, 20), QColor(Qt::blue));
  EXPECT_EQ(centred.pixelColor(60, 39), QColor(Qt::blue));

  QImage stretched = canvas.Paint({100, 60}, /*stretch=*/true);
  EXPECT_EQ(stretched.pixelColor(0, 0), QColor(Qt::yellow));
  EXPECT_EQ(stretched.pixelColor(99, 59), QColor(Qt::yellow));

  canvas.shown.emplace_back(im_backdrop_logo, QRect(70, 0, 0, 0));
  canvas.pictures[im_backdrop_logo] = Solid({30, 10}, Qt::black);
  QImage with_logo = canvas.Paint({100, 60});
  EXPECT_EQ(with_logo.pixelColor(99, 9), QColor(Qt::black));
  EXPECT_EQ(with_logo.pixelColor(99, 10), QColor(Qt::blue));
}

}  // namespace
}  // namespace tiko
