// On real glass every LCD segment is its own region: no two segments of the
// skin share a solid pixel, at 100 % nor in their @2x and @3x variants, and
// each variant is its picture drawn at that resolution.
#include <gtest/gtest.h>

#include <QDir>
#include <QImage>
#include <QRect>
#include <vector>

#include "engine/image_id.h"
#include "tests/skinart/skin_ini.h"

namespace {

using namespace tiko;

struct Segment {
  ImageId id;
  QRect place;
  QImage picture;
};

// The file of a picture's variant: name@2x.png beside name.png.
QString VariantFile(const QString& file, int scale) {
  if (scale == 1) return file;
  const int dot = file.lastIndexOf('.');
  return file.left(dot) + QString("@%1x").arg(scale) + file.mid(dot);
}

bool IsSegment(int id) {
  // The digit patterns are templates the digit places copy; they are never shown.
  return id >= im_panel_miss_0 && id <= im_miss_2 &&
         !(id >= im_panel_number_0 && id <= im_panel_number_9);
}

class LcdSegments : public ::testing::TestWithParam<int> {
 protected:
  void SetUp() override {
    const int scale = GetParam();
    skinart::SkinIni config;
    ASSERT_TRUE(config.Load(QDir(TIKO_TEST_BIN_DIR).filePath("Config.ini")));
    const QDir dir(
        QDir(TIKO_TEST_BIN_DIR).filePath(config.Text("Common", "SkinDir").replace('\\', '/')));
    for (int n = 1; n <= kSkinImageCount; ++n) {
      if (!IsSegment(n)) continue;
      const QString s = QString("Image%1").arg(n);
      const QRect place(config.Integer(s, "Left", 0), config.Integer(s, "Top", 0),
                        config.Integer(s, "Width", 0), config.Integer(s, "Height", 0));
      const QString file = dir.filePath(VariantFile(config.Text(s, "Filename"), scale));
      QImage picture = QImage(file).convertToFormat(QImage::Format_ARGB32);
      ASSERT_EQ(picture.size(), place.size() * scale) << file.toStdString();
      segments_.push_back(
          Segment{ImageId(n), QRect(place.topLeft() * scale, picture.size()), std::move(picture)});
    }
  }

  // Pixels where both are solid ink (their faint shadows do not count).
  static int Shared(const Segment& a, const Segment& b) {
    const QRect both = a.place.intersected(b.place);
    int count = 0;
    for (int y = both.top(); y <= both.bottom(); ++y) {
      for (int x = both.left(); x <= both.right(); ++x) {
        const int alpha_a = qAlpha(a.picture.pixel(x - a.place.left(), y - a.place.top()));
        const int alpha_b = qAlpha(b.picture.pixel(x - b.place.left(), y - b.place.top()));
        if (alpha_a >= 128 && alpha_b >= 128) ++count;
      }
    }
    return count;
  }

  std::vector<Segment> segments_;
};

TEST_P(LcdSegments, NoTwoShareASolidPixel) {
  for (size_t i = 0; i < segments_.size(); ++i) {
    for (size_t j = i + 1; j < segments_.size(); ++j) {
      if (!segments_[i].place.intersects(segments_[j].place)) continue;
      EXPECT_EQ(Shared(segments_[i], segments_[j]), 0)
          << ImageName(segments_[i].id) << " and " << ImageName(segments_[j].id);
    }
  }
}

INSTANTIATE_TEST_SUITE_P(AtEachScale, LcdSegments, ::testing::Values(1, 2, 3));

}  // namespace
