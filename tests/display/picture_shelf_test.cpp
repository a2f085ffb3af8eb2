// Pictures let go while no image shows them: they come back with the very
// pixels they had, the moment an image shows them or every picture is needed.
#include "display/picture_shelf.h"

#include <gtest/gtest.h>

#include <QPainter>
#include <thread>

#include "fake_skin.h"

namespace tiko {
namespace {

QImage Pattern(QSize size, int seed) {
  QImage image(size, QImage::Format_ARGB32_Premultiplied);
  for (int y = 0; y < size.height(); ++y) {
    for (int x = 0; x < size.width(); ++x)
      image.setPixel(x, y,
                     qPremultiply(qRgba(x / 8 * seed, y / 8 + seed, 40, (x + y) / 8 * 16 % 256)));
  }
  return image;
}

struct Shelf {
  Shelf() {
    for (int id = 1; id < kImageEnd; ++id) scene.Hide(static_cast<ImageId>(id));
    for (ImageId id : {im_background_back, im_background_front, btn_open}) {
      loaded[id] = Pattern(QSize(100, 60), id);
      drawn[id] = loaded[id];
      scene.SetBounds(id, 0, 0, 100, 60);
    }
    loaded[im_tiko_1_5] = drawn[im_tiko_1_5] = Pattern(QSize(10, 10), 7);  // too small to let go
    scene.Show(im_background_back);
    shelf.SetKeep(std::chrono::milliseconds(0));
  }
  std::array<QImage, kImageEnd> loaded;
  PictureTable drawn;
  Scene scene;
  bool may_let_go = true;
  PictureShelf shelf{loaded, drawn, [this] { return may_let_go; }};
};

TEST(PictureShelfTest, WhatNoImageShowsGoesAndComesBackAsItWas) {
  Shelf s;
  const auto before_loaded = s.loaded;
  s.shelf.Showing(s.scene);

  // Not while the pictures are still being decoded.
  s.may_let_go = false;
  s.shelf.LetGo();
  EXPECT_FALSE(s.loaded[im_background_front].isNull());

  s.may_let_go = true;
  s.shelf.LetGo();
  EXPECT_TRUE(s.loaded[im_background_front].isNull());
  EXPECT_TRUE(s.drawn[im_background_front].isNull());
  EXPECT_TRUE(s.loaded[btn_open].isNull());
  EXPECT_FALSE(s.loaded[im_background_back].isNull());  // shown
  EXPECT_FALSE(s.loaded[im_tiko_1_5].isNull());         // small
  EXPECT_GT(s.shelf.Bytes(), 0);
  EXPECT_LT(s.shelf.Bytes(), before_loaded[btn_open].sizeInBytes());

  // Shown again, by its own image or by another that uses its picture.
  s.scene.Show(im_background_front);
  s.scene.SetPicture(im_panel_digit_1, btn_open);
  s.scene.Show(im_panel_digit_1);
  s.shelf.Showing(s.scene);
  EXPECT_EQ(s.drawn[im_background_front], before_loaded[im_background_front]);
  EXPECT_EQ(s.loaded[im_background_front], before_loaded[im_background_front]);
  EXPECT_EQ(s.drawn[btn_open], before_loaded[btn_open]);
  EXPECT_EQ(s.shelf.Bytes(), 0);

  // Hidden for less than the keep, a picture stays.
  s.shelf.SetKeep(std::chrono::hours(1));
  s.scene.Hide(im_background_front);
  s.shelf.Showing(s.scene);
  s.shelf.LetGo();
  EXPECT_FALSE(s.loaded[im_background_front].isNull());
}

TEST(PictureShelfTest, AHiddenPictureAgesAcrossFramesThatDoNotShowIt) {
  Shelf s;
  s.shelf.SetKeep(std::chrono::milliseconds(10));
  s.shelf.Showing(s.scene);  // the timer runs from here
  s.shelf.TakeLoadedBack();
  s.shelf.Showing(s.scene);
  std::this_thread::sleep_for(std::chrono::milliseconds(20));
  s.scene.SetBounds(im_background_back, 1, 0, 100, 60);  // frames go on, the front unshown
  s.shelf.Showing(s.scene);
  s.shelf.LetGo();
  EXPECT_TRUE(s.loaded[im_background_front].isNull());
}

TEST(PictureShelfTest, AtAnotherScaleThePictureAt100PercentGoesWhileItsCopyIsShown) {
  Shelf s;
  for (ImageId id : {im_background_back, im_background_front, btn_open}) {
    s.drawn[id] = s.loaded[id].scaled(200, 120);
  }
  const auto before_loaded = s.loaded;
  const auto before_drawn = s.drawn;
  s.shelf.Showing(s.scene);
  s.shelf.LetGo();
  EXPECT_TRUE(s.loaded[im_background_back].isNull());
  EXPECT_EQ(s.drawn[im_background_back], before_drawn[im_background_back]);
  EXPECT_TRUE(s.drawn[im_background_front].isNull());

  // Shown, only the copy drawn comes back.
  s.scene.Show(im_background_front);
  s.shelf.Showing(s.scene);
  EXPECT_EQ(s.drawn[im_background_front], before_drawn[im_background_front]);
  EXPECT_TRUE(s.loaded[im_background_front].isNull());

  // Before the copies are made anew every picture at 100 % comes back; a
  // copy let go is not made again here.
  s.shelf.TakeLoadedBack();
  for (ImageId id : {im_background_back, im_background_front, btn_open}) {
    EXPECT_EQ(s.loaded[id], before_loaded[id]) << ImageName(id);
  }
  EXPECT_EQ(s.drawn[im_background_back], before_drawn[im_background_back]);
  EXPECT_TRUE(s.drawn[btn_open].isNull());
  EXPECT_EQ(s.shelf.Bytes(), 0);
}

}  // namespace
}  // namespace tiko
