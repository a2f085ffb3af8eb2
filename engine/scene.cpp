#include "engine/scene.h"

#include <initializer_list>

namespace tiko {

namespace {

// Visible when the main window is created; every other image starts hidden.
constexpr std::initializer_list<ImageId> kVisibleAtCreation = {
    im_backdrop,
    im_backdrop_logo,
    im_background_bottom,
    im_background_front,
    btn_open,
    btn_acl_top,
    btn_alarm_top,
    btn_jump_top,
    btn_game_a_top,
    btn_game_b_top,
    btn_time_top,
    btn_cross_top,
    btn_game_menu_background,
    btn_game_menu_top,
};

}  // namespace

Scene::Scene() {
  for (int id = 1; id < kImageEnd; ++id) images_[id].picture = static_cast<ImageId>(id);
  for (ImageId id : kVisibleAtCreation) images_[id].visible = true;
}

void Scene::Changing(ImageId id) {
  ++revision_;
  journal_[revision_ % kJournal] = SceneChange{id, images_[id]};
}

std::optional<std::vector<SceneChange>> Scene::ChangesSince(std::uint64_t revision) const {
  if (revision > revision_ || revision_ - revision > kJournal) return std::nullopt;
  std::vector<SceneChange> changes;
  changes.reserve(revision_ - revision);
  for (std::uint64_t r = revision + 1; r <= revision_; ++r)
    changes.push_back(journal_[r % kJournal]);
  return changes;
}

void Scene::SetVisible(ImageId id, bool visible) {
  if (id == kNoImage) return;
  if (images_[id].visible == visible) return;
  Changing(id);
  images_[id].visible = visible;
}

void Scene::SetPicture(ImageId id, ImageId picture_of) {
  if (id == kNoImage) return;
  if (images_[id].picture == picture_of) return;
  Changing(id);
  images_[id].picture = picture_of;
}

void Scene::SetBounds(ImageId id, int left, int top, int width, int height) {
  Image& image = images_[id];
  if (image.left == left && image.top == top && image.width == width && image.height == height)
    return;
  Changing(id);
  image.left = left;
  image.top = top;
  image.width = width;
  image.height = height;
}

int Scene::DigitOf(ImageId place) const {
  ImageId picture = images_[place].picture;
  if (picture >= im_panel_number_0 && picture <= im_panel_number_9)
    return picture - im_panel_number_0;
  return -1;
}

const std::vector<ImageId>& StackingOrder() {
  static const std::vector<ImageId> order = [] {
    std::vector<ImageId> o = {
        im_backdrop,          im_backdrop_logo,                                       // 1
        im_background_bottom, im_background_back, im_game_background,                 // 2
        btn_acl_down,         btn_acl_top,        btn_alarm_top,      btn_jump_down,  // 3
        btn_game_a_down,      btn_game_b_down,    btn_time_down,
    };
    // 4: the digit templates, then the LCD segments in skin-table order.
    for (int id = im_panel_number_0; id <= im_panel_number_9; ++id) o.push_back(ImageId(id));
    for (int id = im_panel_miss_0; id <= im_miss_2; ++id) {
      if (id >= im_panel_number_0 && id <= im_panel_number_9) continue;
      if (id == im_panel_digit_4) continue;  // drawn with the buttons, layer 5
      o.push_back(ImageId(id));
    }
    for (ImageId id : {btn_jump_top, btn_game_a_top, btn_game_b_top, btn_time_top,  // 5
                       btn_cross_down, btn_cross_top, im_panel_digit_4}) {
      o.push_back(id);
    }
    o.push_back(im_background_screen_top);  // 6
    for (ImageId id : {btn_ctrlr_overlay_up, btn_ctrlr_overlay_left, btn_ctrlr_overlay_right,
                       btn_ctrlr_overlay_down}) {
      o.push_back(id);  // 7
    }
    o.push_back(im_background_front);  // 8
    o.push_back(btn_open);
    o.push_back(btn_game_menu_background);  // 9
    o.push_back(btn_game_menu_top);
    for (ImageId id :
         {btn_cross_down_up, btn_cross_down_down, btn_cross_down_left, btn_cross_down_right}) {
      o.push_back(id);  // 10
    }
    return o;
  }();
  return order;
}

}  // namespace tiko
