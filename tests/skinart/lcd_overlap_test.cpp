// LCD figures that can be lit at the same moment must not cover each other:
// the player has to read every one of them at a glance.
#include <gtest/gtest.h>

#include <QDir>
#include <QImage>
#include <QRect>
#include <set>
#include <utility>
#include <vector>

#include "engine/image_id.h"
#include "engine/segments.h"
#include "tools/skin_preview/skin_ini.h"

namespace {

using namespace tiko;
using namespace tiko::seg;

struct Segment {
  QRect place;
  QImage picture;
};

class LcdOverlap : public ::testing::Test {
 protected:
  void SetUp() override {
    skin_preview::SkinIni config;
    ASSERT_TRUE(config.Load(QDir(TIKO_TEST_BIN_DIR).filePath("Config.ini")));
    const QString dir =
        QDir(TIKO_TEST_BIN_DIR).filePath(config.Text("Common", "SkinDir").replace('\\', '/'));
    for (int n = 1; n <= kSkinImageCount; ++n) {
      const QString s = QString("Image%1").arg(n);
      segments_[n].place = QRect(config.Integer(s, "Left", 0), config.Integer(s, "Top", 0),
                                 config.Integer(s, "Width", 0), config.Integer(s, "Height", 0));
      segments_[n].picture = QImage(QDir(dir).filePath(config.Text(s, "Filename")))
                                 .convertToFormat(QImage::Format_ARGB32);
    }
  }

  // Pixels where both figures are solid ink (their faint shadows do not count).
  int Overlap(ImageId a, ImageId b) const {
    const Segment& sa = segments_[a];
    const Segment& sb = segments_[b];
    const QRect both = sa.place.intersected(sb.place);
    int count = 0;
    for (int y = both.top(); y <= both.bottom(); ++y) {
      for (int x = both.left(); x <= both.right(); ++x) {
        const int alpha_a = qAlpha(sa.picture.pixel(x - sa.place.left(), y - sa.place.top()));
        const int alpha_b = qAlpha(sb.picture.pixel(x - sb.place.left(), y - sb.place.top()));
        if (alpha_a >= 128 && alpha_b >= 128) ++count;
      }
    }
    return count;
  }

  Segment segments_[kSkinImageCount + 1];
};

// Pairs that the rules never light together.
std::set<std::pair<int, int>> NeverTogether() {
  std::set<std::pair<int, int>> pairs;
  auto exclusive = [&](const std::vector<ImageId>& group) {
    for (ImageId a : group) {
      for (ImageId b : group) pairs.insert({a, b});
    }
  };
  // One hero figure at a time, with only the hands of his own position.
  std::vector<ImageId> hero = {im_tiko_victory, im_miss_1};
  for (int c = 1; c <= 6; ++c) {
    for (int r = 1; r <= 5; ++r) {
      if (tiko_seg[c][r] != kNoImage) hero.push_back(tiko_seg[c][r]);
    }
  }
  for (ImageId hand : {tiko_hand_1_1_seg[1], tiko_hand_1_1_seg[2], tiko_hand_6_seg[2],
                       tiko_hand_6_seg[3], tiko_hand_6_seg[4]}) {
    hero.push_back(hand);
  }
  exclusive(hero);
  for (ImageId hand : {tiko_hand_1_1_seg[1], tiko_hand_1_1_seg[2]}) {
    pairs.erase({im_tiko_1_1, hand});
    pairs.erase({hand, im_tiko_1_1});
  }
  for (int r = 2; r <= 4; ++r) {
    pairs.erase({tiko_seg[6][r], tiko_hand_6_seg[r]});
    pairs.erase({tiko_hand_6_seg[r], tiko_seg[6][r]});
  }
  // Garu holds one lock with one arm; his right arm is either down or raised.
  exclusive({im_garu_arm_l2, im_garu_arm_l3, im_garu_arm_l4, im_garu_lock_l2, im_garu_lock_l3,
             im_garu_lock_l4});
  for (int k = 2; k <= 4; ++k) {
    pairs.erase({garu_arm_seg[k], garu_lock_seg[k]});
    pairs.erase({garu_lock_seg[k], garu_arm_seg[k]});
  }
  exclusive({im_garu_arm_r1, im_garu_arm_r2});
  exclusive({im_coconut_1, im_coconut_2, im_coconut_3, im_coconut_4, im_coconut_5});
  exclusive({im_key_1, im_key_2});
  exclusive({im_key_2, im_miss_2});
  // Two umbrellas or two balloons are never at neighbouring heights.
  for (int k = 1; k < 5; ++k) exclusive({umbrella_seg[k], umbrella_seg[k + 1]});
  for (int k = 0; k < 5; ++k) exclusive({balloon_seg[k], balloon_seg[k + 1]});
  return pairs;
}

// Figures drawn touching on purpose: a hand on what it holds, an arm at its shoulder.
std::set<std::pair<int, int>> Holding() {
  std::set<std::pair<int, int>> pairs;
  pairs.insert({im_tiko_1_1_hand_1, im_tiko_1_1});
  pairs.insert({im_tiko_1_1_hand_2, im_tiko_1_1});
  for (int k = 1; k <= 4; ++k) {
    pairs.insert({tiko_seg[5][k], umbrella_seg[k]});
    pairs.insert({tiko_seg[6][k], balloon_seg[k]});
  }
  for (int k = 2; k <= 4; ++k) {
    pairs.insert({tiko_hand_6_seg[k], garu_lock_seg[k]});
    pairs.insert({garu_arm_seg[k], garu_lock_seg[k]});
    pairs.insert({garu_arm_seg[k], im_garu_body});
  }
  pairs.insert({im_garu_arm_r1, im_garu_body});
  pairs.insert({im_garu_arm_r2, im_garu_body});
  return pairs;
}

TEST_F(LcdOverlap, FiguresLitTogetherDoNotCoverEachOther) {
  const auto never = NeverTogether();
  const auto holding = Holding();
  for (int a = im_panel_miss_0; a <= im_miss_2; ++a) {
    if (a >= im_panel_number_0 && a <= im_panel_number_9) continue;
    for (int b = a + 1; b <= im_miss_2; ++b) {
      if (b >= im_panel_number_0 && b <= im_panel_number_9) continue;
      if (never.count({a, b})) continue;
      if (!segments_[a].place.intersects(segments_[b].place)) continue;
      const bool holds = holding.count({a, b}) || holding.count({b, a});
      const int limit = holds ? 40 : 4;
      EXPECT_LE(Overlap(ImageId(a), ImageId(b)), limit)
          << ImageName(ImageId(a)) << " and " << ImageName(ImageId(b));
    }
  }
}

}  // namespace
