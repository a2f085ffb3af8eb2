#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <set>
#include <string>

#include "engine/keys/key_list.h"
#include "engine/scene.h"
#include "tests/engine/unit_fixture.h"

namespace tiko::test {
namespace {

// Any key of the list, chosen for GAME A's binding, starts game A; the
// dialog's lists tell the keys apart.
TEST(Keys, EveryKeyOfTheListDrivesTheBindingItIsChosenFor) {
  KeyNames names;
  std::set<int> codes;
  std::set<std::string> entries, shown_names;
  for (int choice = 1; choice <= kKeyChoiceCount; ++choice) {
    UnitFixture f;
    f.Create();
    f.unit.Press(Control::kOpen);
    std::array<int, kBindingCount> choices{};
    int other = 1;
    for (int n = 1; n <= kBindingCount; ++n) {
      if (other == choice) ++other;
      choices[n - 1] = n == 1 ? choice : other++;
    }
    f.unit.AcceptKeys(choices);
    const int code = KeyCodeOfChoice(choice);
    f.unit.FormKeyDown(code);
    EXPECT_EQ(f.unit.vars().mode, Mode::kGameAHeld) << "choice " << choice;
    f.unit.FormKeyUp(code);
    EXPECT_EQ(f.unit.vars().mode, Mode::kGameA) << "choice " << choice;
    codes.insert(code);
    entries.insert(KeyEntryText(choice));
    shown_names.insert(names[choice]);
  }
  EXPECT_EQ(codes.size(), static_cast<size_t>(kKeyChoiceCount));
  EXPECT_EQ(entries.size(), static_cast<size_t>(kKeyChoiceCount));
  EXPECT_EQ(shown_names.size(), static_cast<size_t>(kKeyChoiceCount));
  EXPECT_EQ(KeyCodeOfChoice(kKeyChoiceCount + 1), 0) << "past the list: no key";
}

// A stored choice outside the list keeps the key the binding had.
TEST(Keys, AChoiceOutsideTheListKeepsTheKey) {
  for (int choice : {0, kKeyChoiceCount + 1, 99}) {
    KeyBinding b{choice, 17};
    AssignWord(1, b);
    EXPECT_EQ(b.key_code, 17) << choice;
  }
}

TEST(Keys, TheOpenKeyBecomesAclOnceOpen) {
  UnitFixture f;
  f.Create();
  Unit& u = f.unit;
  u.FormKeyDown(53);  // '5' opens
  EXPECT_EQ(u.vars().mode, Mode::kAllSegments);
  u.FormKeyDown(53);
  EXPECT_EQ(u.vars().mode, Mode::kAclHeld);
  u.FormKeyUp(53);
  EXPECT_EQ(u.vars().mode, Mode::kAllSegments);
  u.FormKeyUp(53);  // ACL release in mode 2 changes nothing
  EXPECT_EQ(u.vars().mode, Mode::kAllSegments);
}

TEST(Scene, StackingOrderHoldsEveryImageOnceWithTheLayersInPlace) {
  const auto& order = StackingOrder();
  std::set<ImageId> seen(order.begin(), order.end());
  EXPECT_EQ(order.size(), seen.size());
  EXPECT_EQ(static_cast<int>(order.size()), kImageCount);
  auto pos = [&](ImageId id) { return std::find(order.begin(), order.end(), id) - order.begin(); };
  EXPECT_EQ(pos(im_backdrop), 0);
  EXPECT_LT(pos(im_game_background), pos(btn_acl_down));
  EXPECT_LT(pos(im_crow_1_1), pos(btn_jump_top));
  EXPECT_LT(pos(im_panel_digit_3), pos(im_background_screen_top));
  EXPECT_LT(pos(btn_cross_top), pos(im_panel_digit_4));
  EXPECT_LT(pos(im_background_screen_top), pos(btn_ctrlr_overlay_up));
  EXPECT_LT(pos(btn_ctrlr_overlay_down), pos(im_background_front));
  EXPECT_LT(pos(btn_open), pos(btn_game_menu_background));
  EXPECT_EQ(order.back(), btn_cross_down_right);
}

TEST(Scene, RevisionGrowsOnlyOnAVisibleChange) {
  Scene s;
  auto r0 = s.Revision();
  s.Show(im_background_bottom);  // already visible
  EXPECT_EQ(s.Revision(), r0);
  s.Show(im_crow_1_1);
  EXPECT_GT(s.Revision(), r0);
  auto r1 = s.Revision();
  s.SetPicture(im_panel_digit_1, im_panel_number_3);
  EXPECT_GT(s.Revision(), r1);
  EXPECT_EQ(s.DigitOf(im_panel_digit_1), 3);
}

TEST(Scene, ChangesSinceAPaintHoldEachImageAsItWasThen) {
  Scene s;
  s.SetBounds(im_crow_1_1, 1, 2, 3, 4);
  const auto painted = s.Revision();
  s.SetBounds(im_crow_1_1, 1, 2, 3, 4);  // the same place is no change
  EXPECT_EQ(s.Revision(), painted);
  s.Show(im_crow_1_1);
  s.SetBounds(im_crow_1_1, 5, 6, 3, 4);
  s.SetPicture(im_panel_digit_1, im_panel_number_3);
  const auto changes = s.ChangesSince(painted);
  ASSERT_TRUE(changes);
  ASSERT_EQ(changes->size(), 3u);
  EXPECT_EQ((*changes)[0].id, im_crow_1_1);
  EXPECT_FALSE((*changes)[0].before.visible);
  EXPECT_EQ((*changes)[0].before.left, 1);
  EXPECT_TRUE((*changes)[1].before.visible);
  EXPECT_EQ((*changes)[2].before.picture, im_panel_digit_1);
  EXPECT_TRUE(s.ChangesSince(s.Revision())->empty());

  // Too long ago, or a revision this scene never had: nothing to go by.
  for (int i = 0; i < 600; ++i) s.SetVisible(im_crow_1_1, i % 2 == 0);
  EXPECT_FALSE(s.ChangesSince(painted));
  EXPECT_FALSE(s.ChangesSince(s.Revision() + 1));
}

}  // namespace
}  // namespace tiko::test
