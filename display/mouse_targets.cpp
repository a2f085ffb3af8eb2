#include "display/mouse_targets.h"

#include <algorithm>
#include <array>

namespace tiko {

namespace {

constexpr std::array<ImageId, 6> kDraggable = {
    im_background_bottom,     im_background_back, im_background_front,
    im_background_screen_top, btn_alarm_top,      btn_cross_top,
};

bool TakesMouse(ImageId id) {
  return ControlOfImage(id) || IsDraggable(id) || id == btn_game_menu_top;
}

}  // namespace

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
  if (ControlOfImage(id) || id == btn_game_menu_top) return PointerShape::kHand;
  return PointerShape::kArrow;
}

}  // namespace tiko
