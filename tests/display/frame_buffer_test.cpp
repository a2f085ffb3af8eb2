// Only what changed is repainted, and the result is the frame a full repaint
// gives; the outline follows the repainted areas.
#include "display/frame_buffer.h"

#include <gtest/gtest.h>

#include <QPainter>

#include "display/composed_pieces.h"
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
  // Repaints what changed on the screen, piece by piece as the window does.
  QRegion Render() {
    const QRegion area = frame.Render(scene, prepared, look, false);
    if (screen.isNull()) screen = QImage(look.client, QImage::Format_ARGB32_Premultiplied);
    QPainter painter(&screen);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    for (const QRect& piece : FramePieces(area))
      painter.drawImage(piece.topLeft(), ComposeFrame(scene, prepared, look, piece));
    return area;
  }
  QImage FullPaint() {
    return ComposeFrame(scene, prepared, look, QRect(QPoint(0, 0), look.client));
  }
  Scene scene;
  PictureTable pictures;
  PictureTable prepared;
  FrameLook look{{120, 100}, QColor(255, 0, 255), false};
  FrameBuffer frame;
  QImage screen;
};

TEST(FrameBufferTest, RepaintsOnlyThePlacesOfTheChangedImages) {
  Fixture f;
  EXPECT_EQ(f.Render(), QRegion(0, 0, 120, 100));
  EXPECT_TRUE(f.Render().isEmpty());

  f.scene.Hide(im_crow_1_1);
  EXPECT_EQ(f.Render(), QRegion(10, 10, 20, 20));
  EXPECT_EQ(f.screen, f.FullPaint());  // the button over the crow is painted again

  // Two changes apart are two places, not the span between them.
  f.scene.Show(im_crow_1_1);
  f.scene.Hide(im_crow_2_1);
  EXPECT_EQ(f.Render(), QRegion(10, 10, 20, 20) + QRegion(50, 10, 20, 20));
  EXPECT_EQ(f.screen, f.FullPaint());

  // A change to a hidden image is nothing to paint, nor is one undone before the paint.
  f.scene.SetBounds(im_crow_2_1, 0, 0, 5, 5);
  f.scene.Hide(im_crow_1_1);
  f.scene.Show(im_crow_1_1);
  EXPECT_TRUE(f.Render().isEmpty());

  // A moved image repaints where it was and where it is.
  f.scene.SetBounds(btn_open, 80, 60, 20, 20);
  EXPECT_EQ(f.Render(), QRegion(20, 15, 20, 20) + QRegion(80, 60, 20, 20));
  EXPECT_EQ(f.screen, f.FullPaint());
}

TEST(FrameBufferTest, LayersBeneathTheLcdRepaintTheirPlaceAndLongGapsRepaintAll) {
  Fixture f;
  f.Place(im_background_back, {0, 50, 120, 50}, Qt::darkGreen);
  f.Place(im_crow_3_1, {30, 60, 10, 10}, Qt::black);
  f.prepared = PreparePictures(f.pictures);
  f.Render();

  // A layer beneath the LCD hidden: its place is repainted, the crow over it too.
  f.scene.Hide(im_background_back);
  EXPECT_EQ(f.Render(), QRegion(0, 50, 120, 50));
  EXPECT_EQ(f.screen, f.FullPaint());
  f.scene.Hide(im_crow_3_1);
  f.Render();
  EXPECT_EQ(f.screen, f.FullPaint());

  // More changes than the scene remembers: everything is repainted.
  for (int i = 0; i < 400; ++i) {
    f.scene.Show(im_crow_1_1);
    f.scene.Hide(im_crow_1_1);
  }
  f.scene.Show(im_background_back);
  EXPECT_EQ(f.Render(), QRegion(0, 0, 120, 100));
  EXPECT_EQ(f.screen, f.FullPaint());
}

TEST(FrameBufferTest, OutlineFollowsTheRepaintedAreas) {
  Fixture f;
  const QRgb key = qRgb(255, 0, 255);
  Outline outline;
  auto update = [&](const QRegion& area) {
    bool changed = false;
    for (const QRect& piece : FramePieces(area)) {
      const QImage part = ComposeFrame(f.scene, f.prepared, f.look, piece);
      changed = outline.Update(part, piece.topLeft(), f.look.client, key) || changed;
    }
    return changed;
  };
  EXPECT_TRUE(update(f.Render()));
  EXPECT_EQ(outline.mask(), OutlineMask(f.screen, key));
  EXPECT_FALSE(update(QRegion(0, 0, 120, 100)));

  // A segment that fills part of the see-through corner changes the outline.
  f.Place(im_crow_5_1, {95, 5, 10, 10}, Qt::black);
  f.prepared = PreparePictures(f.pictures);
  EXPECT_TRUE(update(f.Render()));
  EXPECT_EQ(outline.mask(), OutlineMask(f.screen, key));
  f.scene.Hide(im_crow_1_1);
  EXPECT_FALSE(update(f.Render()));
}

// The places composed for the outline are kept for the paint: after several
// changes of one place before a paint, the paint shows the last of them, and
// nothing kept under another look is drawn.
TEST(FrameBufferTest, KeptPiecesPaintTheLastChange) {
  Fixture f;
  f.Render();
  ComposedPieces kept;
  const ComposedLook look{f.look, false, 0};
  QRegion pending;
  auto change = [&] {
    const QRegion area = f.frame.Render(f.scene, f.prepared, f.look, false);
    for (const QRect& piece : FramePieces(area))
      kept.Keep(piece, ComposeFrame(f.scene, f.prepared, f.look, piece), look);
    pending += area;
  };
  int taken = 0;
  auto paint = [&](const ComposedLook& with) {
    QPainter painter(&f.screen);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    for (const QRect& piece : FramePieces(pending)) {
      QPoint origin;
      if (const QImage* part = kept.Covering(piece, with, &origin)) {
        painter.drawImage(piece.topLeft(), *part, piece.translated(-origin));
        ++taken;
      } else {
        painter.drawImage(piece.topLeft(), ComposeFrame(f.scene, f.prepared, f.look, piece));
      }
    }
    kept.Clear();
    pending = QRegion();
  };
  f.scene.Hide(im_crow_1_1);
  change();
  f.scene.Show(im_crow_1_1);
  change();
  f.scene.SetBounds(btn_open, 25, 15, 20, 20);  // over the crow's place and beside it
  change();
  paint(look);
  EXPECT_GT(taken, 0);
  EXPECT_EQ(f.screen, f.FullPaint());

  f.scene.Hide(im_crow_2_1);
  change();
  ComposedLook other = look;
  other.look.background = Qt::black;
  taken = 0;
  paint(other);
  EXPECT_EQ(taken, 0);
  EXPECT_EQ(f.screen, f.FullPaint());
}

TEST(FrameBufferTest, PiecesCoverTheAreaOnceAndStaySmall) {
  const QRegion area = QRegion(0, 0, 1000, 100) + QRegion(5, 300, 30000, 3) + QRegion(0, 500, 7, 7);
  QRegion covered;
  std::int64_t pixels = 0;
  for (const QRect& piece : FramePieces(area)) {
    EXPECT_FALSE(covered.intersects(piece));
    covered += piece;
    pixels += std::int64_t{piece.width()} * piece.height();
    EXPECT_TRUE(piece.height() == 1 || piece.width() * piece.height() <= 16384);
  }
  EXPECT_EQ(covered, area);
  EXPECT_EQ(pixels, 1000 * 100 + 30000 * 3 + 49);
}

}  // namespace
}  // namespace tiko
