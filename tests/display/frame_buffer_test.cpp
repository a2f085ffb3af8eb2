// The kept frame: only what changed is repainted, and the result is the frame
// a full repaint gives; the outline follows the repainted areas.
#include "display/frame_buffer.h"

#include <gtest/gtest.h>

#include <QPainter>

#include "display/window_shape.h"
#include "fake_skin.h"

namespace tiko {
namespace {

using test::Solid;

struct Fixture {
  Fixture() {
    for (int id = 1; id < kImageEnd; ++id) scene.Hide(static_cast<ImageId>(id));
    Place(im_background_bottom, {0, 0, 120, 100}, Qt::gray);
    Place(im_crow_1_1, {10, 10, 20, 20}, Qt::black);
    Place(im_crow_2_1, {50, 10, 20, 20}, Qt::black);
    Place(btn_open, {20, 15, 20, 20}, Qt::yellow);
    QPainter(&pictures[im_background_bottom]).fillRect(100, 0, 20, 20, QColor(255, 0, 255));
    prepared = PreparePictures(pictures);
  }
  void Place(ImageId id, QRect rect, QColor colour) {
    scene.SetBounds(id, rect.left(), rect.top(), rect.width(), rect.height());
    scene.Show(id);
    pictures[id] = Solid(rect.size(), colour);
  }
  QImage FullPaint() {
    FrameBuffer fresh;
    fresh.Render(scene, prepared, look, true);
    return fresh.image();
  }
  Scene scene;
  PictureTable pictures;
  PictureTable prepared;
  FrameLook look{{120, 100}, QColor(255, 0, 255), false};
  FrameBuffer frame;
};

TEST(FrameBufferTest, RepaintsOnlyThePlacesOfTheChangedImages) {
  Fixture f;
  EXPECT_EQ(f.frame.Render(f.scene, f.prepared, f.look, false), QRegion(0, 0, 120, 100));
  EXPECT_TRUE(f.frame.Render(f.scene, f.prepared, f.look, false).isEmpty());

  f.scene.Hide(im_crow_1_1);
  EXPECT_EQ(f.frame.Render(f.scene, f.prepared, f.look, false), QRegion(10, 10, 20, 20));
  EXPECT_EQ(f.frame.image(), f.FullPaint());  // the button over the crow is painted again

  // Two changes apart are two places, not the span between them.
  f.scene.Show(im_crow_1_1);
  f.scene.Hide(im_crow_2_1);
  EXPECT_EQ(f.frame.Render(f.scene, f.prepared, f.look, false),
            QRegion(10, 10, 20, 20) + QRegion(50, 10, 20, 20));
  EXPECT_EQ(f.frame.image(), f.FullPaint());

  // A change to a hidden image is nothing to paint, nor is one undone before the paint.
  f.scene.SetBounds(im_crow_2_1, 0, 0, 5, 5);
  f.scene.Hide(im_crow_1_1);
  f.scene.Show(im_crow_1_1);
  EXPECT_TRUE(f.frame.Render(f.scene, f.prepared, f.look, false).isEmpty());

  // A moved image repaints where it was and where it is.
  f.scene.SetBounds(btn_open, 80, 60, 20, 20);
  EXPECT_EQ(f.frame.Render(f.scene, f.prepared, f.look, false),
            QRegion(20, 15, 20, 20) + QRegion(80, 60, 20, 20));
  EXPECT_EQ(f.frame.image(), f.FullPaint());
}

TEST(FrameBufferTest, LayersBeneathTheLcdRepaintTheirPlaceAndLongGapsRepaintAll) {
  Fixture f;
  f.Place(im_background_back, {0, 50, 120, 50}, Qt::darkGreen);
  f.Place(im_crow_3_1, {30, 60, 10, 10}, Qt::black);
  f.prepared = PreparePictures(f.pictures);
  f.frame.Render(f.scene, f.prepared, f.look, true);

  // A layer beneath the LCD hidden: its place is repainted, the crow over it too.
  f.scene.Hide(im_background_back);
  EXPECT_EQ(f.frame.Render(f.scene, f.prepared, f.look, false), QRegion(0, 50, 120, 50));
  EXPECT_EQ(f.frame.image(), f.FullPaint());
  f.scene.Hide(im_crow_3_1);
  f.frame.Render(f.scene, f.prepared, f.look, false);
  EXPECT_EQ(f.frame.image(), f.FullPaint());

  // More changes than the scene remembers: everything is repainted.
  for (int i = 0; i < 400; ++i) {
    f.scene.Show(im_crow_1_1);
    f.scene.Hide(im_crow_1_1);
  }
  f.scene.Show(im_background_back);
  EXPECT_EQ(f.frame.Render(f.scene, f.prepared, f.look, false), QRegion(0, 0, 120, 100));
  EXPECT_EQ(f.frame.image(), f.FullPaint());
}

TEST(FrameBufferTest, OutlineFollowsTheRepaintedAreas) {
  Fixture f;
  const QRgb key = qRgb(255, 0, 255);
  Outline outline;
  EXPECT_TRUE(outline.Update(
      f.frame.image(), f.frame.Render(f.scene, f.prepared, f.look, false).boundingRect(), key));
  EXPECT_FALSE(outline.Update(f.frame.image(), QRect(0, 0, 120, 100), key));

  // A segment that fills part of the see-through corner changes the outline.
  f.Place(im_crow_5_1, {95, 5, 10, 10}, Qt::black);
  f.prepared = PreparePictures(f.pictures);
  EXPECT_TRUE(outline.Update(
      f.frame.image(), f.frame.Render(f.scene, f.prepared, f.look, false).boundingRect(), key));
  EXPECT_EQ(outline.mask(), OutlineMask(f.frame.image(), key));
  f.scene.Hide(im_crow_1_1);
  EXPECT_FALSE(outline.Update(
      f.frame.image(), f.frame.Render(f.scene, f.prepared, f.look, false).boundingRect(), key));
}

}  // namespace
}  // namespace tiko
