#include "tools/doc_gen/lcd_scene.h"

#include <gtest/gtest.h>

#include <QImage>
#include <set>
#include <utility>

namespace {

const QString kField = QStringLiteral(TIKO_MANUAL_SOURCE_DIR "/field.svg");

TEST(LcdScene, LitMatchesExactIdsPrefixesAndAll) {
  using docgen::is_lit;
  EXPECT_TRUE(is_lit("s_crow_1_2", {"s_crow_1_2"}));
  EXPECT_FALSE(is_lit("s_crow_1_2", {"s_crow_1"}));
  EXPECT_TRUE(is_lit("s_crow_1_2", {"s_key_1", "s_crow_*"}));
  EXPECT_FALSE(is_lit("s_tiko_1_2", {"s_crow_*"}));
  EXPECT_TRUE(is_lit("s_anything", {"all"}));
  EXPECT_FALSE(is_lit("s_anything", {}));
}

// The drawing has a segment for every crow cell and hero place of the game, and none for
// the empty slots of those tables.
TEST(LcdScene, FieldHasTheGamesCellsAndPlaces) {
  const QStringList ids = docgen::segment_ids(kField);
  std::set<std::pair<int, int>> crows, heroes;
  for (const QString& id : ids) {
    const QStringList p = id.split('_');
    if (p.size() == 4 && p[1] == "crow") crows.insert({p[2].toInt(), p[3].toInt()});
    if (p.size() == 4 && p[1] == "tiko") heroes.insert({p[2].toInt(), p[3].toInt()});
  }
  EXPECT_EQ(crows.size(), 26u);
  EXPECT_EQ(heroes.size(), 26u);
  for (auto empty : {std::pair{1, 0}, {2, 0}, {3, 0}, {5, 4}}) EXPECT_FALSE(crows.count(empty));
  for (auto empty : {std::pair{4, 2}, {4, 5}, {5, 5}, {6, 5}}) EXPECT_FALSE(heroes.count(empty));
  for (const char* id : {"s_key_1", "s_key_2", "s_coconut_0", "s_coconut_5", "s_umbrella_1",
                         "s_umbrella_5", "s_balloon_0", "s_balloon_5", "s_garu_chain_4",
                         "s_garu_lock_l2", "s_garu_arm_r2", "s_miss_2", "s_tiko_victory"}) {
    EXPECT_TRUE(ids.contains(id)) << id;
  }
}

TEST(LcdScene, LitSegmentsAreDarkerThanUnlitOnes) {
  auto darkness = [](const QStringList& lit) {
    QImage image(332, 226, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    QString error;
    EXPECT_TRUE(docgen::paint_lcd_scene(p, kField, 0, 0, 332, lit, error)) << qPrintable(error);
    p.end();
    long sum = 0;
    for (int y = 0; y < image.height(); ++y)
      for (int x = 0; x < image.width(); ++x) sum += 255 - qGray(image.pixel(x, y));
    return sum;
  };
  const long none = darkness({});
  const long some = darkness({"s_crow_*"});
  const long all = darkness({"all"});
  EXPECT_LT(none, some);
  EXPECT_LT(some, all);
}

TEST(LcdScene, UnknownSegmentOrFileIsAnError) {
  QImage image(10, 10, QImage::Format_RGB32);
  QPainter p(&image);
  QString error;
  EXPECT_FALSE(docgen::paint_lcd_scene(p, kField, 0, 0, 10, {"s_crow_9_9"}, error));
  EXPECT_TRUE(error.endsWith("has no segment 's_crow_9_9'")) << qPrintable(error);
  EXPECT_FALSE(docgen::paint_lcd_scene(p, "/nonexistent.svg", 0, 0, 10, {}, error));
  EXPECT_TRUE(error.startsWith("cannot read the drawing")) << qPrintable(error);
}

}  // namespace
