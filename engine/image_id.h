// Every image of the main window: the 145 skin images in the order of the
// skin file's Image sections (Image1 is im_background_bottom), then the four
// images the skin loader sets outside that table.
#pragma once

#include <array>
#include <string_view>

namespace tiko {

// The one list of the images: each gives its enumerator and its name.
// clang-format off
#define TIKO_IMAGES(X) \
  X(im_background_bottom) \
  X(im_background_back) \
  X(im_background_front) \
  X(im_background_screen_top) \
  X(btn_open) \
  X(btn_game_a_down) \
  X(btn_game_a_top) \
  X(btn_game_b_down) \
  X(btn_game_b_top) \
  X(btn_time_down) \
  X(btn_time_top) \
  X(btn_acl_down) \
  X(btn_acl_top) \
  X(btn_alarm_top) \
  X(btn_cross_down) \
  X(btn_cross_top) \
  X(btn_jump_down) \
  X(btn_jump_top) \
  X(btn_ctrlr_overlay_up) \
  X(btn_ctrlr_overlay_left) \
  X(btn_ctrlr_overlay_right) \
  X(btn_ctrlr_overlay_down) \
  X(im_game_background) \
  X(im_panel_miss_0) \
  X(im_panel_miss_1) \
  X(im_panel_miss_2) \
  X(im_panel_miss_3) \
  X(im_panel_alarm_1) \
  X(im_panel_alarm_2) \
  X(im_panel_alarm_3) \
  X(im_panel_game_a) \
  X(im_panel_game_b) \
  X(im_panel_time_am) \
  X(im_panel_time_pm) \
  X(im_panel_time_colon) \
  X(im_panel_digit_1) \
  X(im_panel_digit_2) \
  X(im_panel_digit_3) \
  X(im_panel_digit_4) \
  X(im_panel_number_0) \
  X(im_panel_number_1) \
  X(im_panel_number_2) \
  X(im_panel_number_3) \
  X(im_panel_number_4) \
  X(im_panel_number_5) \
  X(im_panel_number_6) \
  X(im_panel_number_7) \
  X(im_panel_number_8) \
  X(im_panel_number_9) \
  X(im_tiko_1_1_hand_1) \
  X(im_tiko_1_1_hand_2) \
  X(im_tiko_1_1) \
  X(im_tiko_2_1) \
  X(im_tiko_3_1) \
  X(im_tiko_4_1) \
  X(im_tiko_5_1) \
  X(im_tiko_6_1) \
  X(im_tiko_victory) \
  X(im_tiko_1_2) \
  X(im_tiko_2_2) \
  X(im_tiko_3_2) \
  X(im_tiko_5_2) \
  X(im_tiko_6_2) \
  X(im_tiko_6_2_hand) \
  X(im_tiko_1_3) \
  X(im_tiko_2_3) \
  X(im_tiko_3_3) \
  X(im_tiko_4_3) \
  X(im_tiko_5_3) \
  X(im_tiko_6_3) \
  X(im_tiko_6_3_hand) \
  X(im_tiko_1_4) \
  X(im_tiko_2_4) \
  X(im_tiko_3_4) \
  X(im_tiko_4_4) \
  X(im_tiko_5_4) \
  X(im_tiko_6_4) \
  X(im_tiko_6_4_hand) \
  X(im_tiko_1_5) \
  X(im_tiko_2_5) \
  X(im_tiko_3_5) \
  X(im_crow_4_0) \
  X(im_crow_5_0) \
  X(im_crow_1_1) \
  X(im_crow_2_1) \
  X(im_crow_3_1) \
  X(im_crow_4_1) \
  X(im_crow_5_1) \
  X(im_crow_1_2) \
  X(im_crow_2_2) \
  X(im_crow_3_2) \
  X(im_crow_4_2) \
  X(im_crow_5_2) \
  X(im_crow_1_3) \
  X(im_crow_2_3) \
  X(im_crow_3_3) \
  X(im_crow_4_3) \
  X(im_crow_5_3) \
  X(im_crow_1_4) \
  X(im_crow_2_4) \
  X(im_crow_3_4) \
  X(im_crow_4_4) \
  X(im_crow_1_5) \
  X(im_crow_2_5) \
  X(im_crow_3_5) \
  X(im_crow_4_5) \
  X(im_crow_5_5) \
  X(im_key_1) \
  X(im_key_2) \
  X(im_coconut_0) \
  X(im_balloon_0) \
  X(im_coconut_1) \
  X(im_umbrella_1) \
  X(im_balloon_1) \
  X(im_coconut_2) \
  X(im_umbrella_2) \
  X(im_balloon_2) \
  X(im_coconut_3) \
  X(im_umbrella_3) \
  X(im_balloon_3) \
  X(im_coconut_4) \
  X(im_umbrella_4) \
  X(im_balloon_4) \
  X(im_coconut_5) \
  X(im_umbrella_5) \
  X(im_balloon_5) \
  X(im_garu_body) \
  X(im_garu_arm_l2) \
  X(im_garu_arm_l3) \
  X(im_garu_arm_l4) \
  X(im_garu_arm_r1) \
  X(im_garu_arm_r2) \
  X(im_garu_lock_l2) \
  X(im_garu_lock_l3) \
  X(im_garu_lock_l4) \
  X(im_garu_chain_1) \
  X(im_garu_chain_2) \
  X(im_garu_chain_3) \
  X(im_garu_chain_4) \
  X(im_miss_1) \
  X(im_miss_2) \
  X(btn_cross_down_up) \
  X(btn_cross_down_down) \
  X(btn_cross_down_left) \
  X(btn_cross_down_right) \
  X(im_backdrop) \
  X(im_backdrop_logo) \
  X(btn_game_menu_background) \
  X(btn_game_menu_top)

enum ImageId : int {
  kNoImage = 0,  // an empty slot of a segment group; the list starts at 1
#define TIKO_IMAGE_ENUMERATOR(name) name,
  TIKO_IMAGES(TIKO_IMAGE_ENUMERATOR)
#undef TIKO_IMAGE_ENUMERATOR
  kImageEnd,
};
// clang-format on

inline constexpr int kSkinImageCount = 145;
inline constexpr int kImageCount = kImageEnd - 1;  // 149

// Names indexed by ImageId - 1.
inline constexpr std::array<std::string_view, kImageCount> kImageNames = {
#define TIKO_IMAGE_NAME(name) #name,
    TIKO_IMAGES(TIKO_IMAGE_NAME)
#undef TIKO_IMAGE_NAME
};

inline std::string_view ImageName(ImageId id) {
  return kImageNames[id - 1];
}

}  // namespace tiko
