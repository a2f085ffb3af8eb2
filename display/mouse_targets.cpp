#include "display/mouse_targets.h"

#include <algorithm>
#include <array>

namespace tiko {

namespace {

constexpr std::array<MouseTarget, 10> kButtons = {{
    {btn_open, &Unit::Inp_open_down, nullptr},
    {btn_game_a_top, &Unit::Inp_game_a_down, &Unit::Inp_game_a_up},
    {btn_game_b_top, &Unit::Inp_game_b_down, &Unit::Inp_game_b_up},
    {btn_time_top, &Unit::Inp_time_down, &Unit::Inp_time_up},
    {btn_acl_top, &Unit::Inp_acl_down, &Unit::Inp_acl_up},
    {btn_jump_top, &Unit::Inp_jump_down, &Unit::Inp_jump_up},
    {btn_ctrlr_overlay_up, &Unit::Inp_up_down, &Unit::Inp_up_up},
    {btn_ctrlr_overlay_left, &Unit::Inp_left_down, &Unit::Inp_left_up},
    {btn_ctrlr_overlay_right, &Unit::Inp_right_down, &Unit::Inp_right_up},
    {btn_ctrlr_overlay_down, &Unit::Inp_down_down, &Unit::Inp_down_up},
}};

constexpr std::array<ImageId, 6> kDraggable = {
    im_background_bottom,     im_background_back, im_background_front,
    im_background_screen_top, btn_alarm_top,      btn_cross_top,
};

bool TakesMouse(ImageId id) {
  return ButtonTarget(id) != nullptr || IsDraggable(id) || id == btn_game_menu_top;
}

}  // namespace

const MouseTarget* ButtonTarget(ImageId id) {
  for (const MouseTarget& target : kButtons) {
    if (target.image == id) return &target;
  }
  return nullptr;
}

bool IsDraggable(ImageId id) {
  return std::find(kDraggable.begin(), kDraggable.end(), id) != kDraggable.end();
}

ImageId TargetAt(const Scene& scene, int x, int y) {
  const std::vector<ImageId>& order = StackingOrder();
  for (auto it = order.rbegin(); it != order.rend(); ++it) {
    const Image& image = scene[*it];
    if (!image.visible || !TakesMouse(*it)) continue;
    if (x >= image.left && x < image.left + image.width && y >= image.top &&
        y < image.top + image.height) {
      return *it;
    }
  }
  return kNoImage;
}

PointerShape ShapeOf(ImageId id) {
  if (id == btn_cross_top || id == btn_alarm_top) return PointerShape::kHelp;
  if (ButtonTarget(id) != nullptr || id == btn_game_menu_top) return PointerShape::kHand;
  return PointerShape::kArrow;
}

}  // namespace tiko
