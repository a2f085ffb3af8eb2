// The segment groups: fixed index tables over the LCD images, column first,
// height second. kNoImage marks an empty slot, never shown nor read.
#pragma once

#include "engine/image_id.h"

namespace tiko::seg {

constexpr ImageId X = kNoImage;

// crow_seg[c][r]: vine c = 1..5, height r = 0..5 (0 = top). 26 cells.
inline constexpr ImageId crow_seg[6][6] = {
    {X, X, X, X, X, X},
    {X, im_crow_1_1, im_crow_1_2, im_crow_1_3, im_crow_1_4, im_crow_1_5},
    {X, im_crow_2_1, im_crow_2_2, im_crow_2_3, im_crow_2_4, im_crow_2_5},
    {X, im_crow_3_1, im_crow_3_2, im_crow_3_3, im_crow_3_4, im_crow_3_5},
    {im_crow_4_0, im_crow_4_1, im_crow_4_2, im_crow_4_3, im_crow_4_4, im_crow_4_5},
    {im_crow_5_0, im_crow_5_1, im_crow_5_2, im_crow_5_3, X, im_crow_5_5},
};

// tiko_seg[c][r]: hero column c = 1..6, height r = 1..5 (1 = top). 26 positions.
inline constexpr ImageId tiko_seg[7][6] = {
    {X, X, X, X, X, X},
    {X, im_tiko_1_1, im_tiko_1_2, im_tiko_1_3, im_tiko_1_4, im_tiko_1_5},
    {X, im_tiko_2_1, im_tiko_2_2, im_tiko_2_3, im_tiko_2_4, im_tiko_2_5},
    {X, im_tiko_3_1, im_tiko_3_2, im_tiko_3_3, im_tiko_3_4, im_tiko_3_5},
    {X, im_tiko_4_1, X, im_tiko_4_3, im_tiko_4_4, X},
    {X, im_tiko_5_1, im_tiko_5_2, im_tiko_5_3, im_tiko_5_4, X},
    {X, im_tiko_6_1, im_tiko_6_2, im_tiko_6_3, im_tiko_6_4, X},
};

// The hero's segment at (c, r), or kNoImage off the field or on an empty slot.
constexpr ImageId HeroSegAt(int c, int r) {
  return c >= 1 && c <= 6 && r >= 1 && r <= 5 ? tiko_seg[c][r] : kNoImage;
}

inline constexpr ImageId tiko_hand_1_1_seg[3] = {X, im_tiko_1_1_hand_1, im_tiko_1_1_hand_2};
inline constexpr ImageId tiko_hand_6_seg[5] = {X, X, im_tiko_6_2_hand, im_tiko_6_3_hand,
                                               im_tiko_6_4_hand};
inline constexpr ImageId coconut_seg[6] = {im_coconut_0, im_coconut_1, im_coconut_2,
                                           im_coconut_3, im_coconut_4, im_coconut_5};
inline constexpr ImageId umbrella_seg[6] = {X, im_umbrella_1, im_umbrella_2,
                                            im_umbrella_3, im_umbrella_4, im_umbrella_5};
inline constexpr ImageId balloon_seg[6] = {im_balloon_0, im_balloon_1, im_balloon_2,
                                           im_balloon_3, im_balloon_4, im_balloon_5};
inline constexpr ImageId garu_arm_seg[5] = {X, X, im_garu_arm_l2, im_garu_arm_l3, im_garu_arm_l4};
inline constexpr ImageId garu_lock_seg[5] = {X, X, im_garu_lock_l2, im_garu_lock_l3,
                                             im_garu_lock_l4};
inline constexpr ImageId garu_chain_seg[5] = {X, im_garu_chain_1, im_garu_chain_2,
                                              im_garu_chain_3, im_garu_chain_4};
inline constexpr ImageId key_seg[3] = {X, im_key_1, im_key_2};
inline constexpr ImageId miss_seg[3] = {X, im_miss_1, im_miss_2};
inline constexpr ImageId panel_miss_seg[4] = {im_panel_miss_0, im_panel_miss_1, im_panel_miss_2,
                                              im_panel_miss_3};
inline constexpr ImageId panel_alarm_seg[4] = {X, im_panel_alarm_1, im_panel_alarm_2,
                                               im_panel_alarm_3};
inline constexpr ImageId panel_digit_seg[5] = {X, im_panel_digit_1, im_panel_digit_2,
                                               im_panel_digit_3, im_panel_digit_4};
inline constexpr ImageId panel_number_seg[10] = {
    im_panel_number_0, im_panel_number_1, im_panel_number_2, im_panel_number_3,
    im_panel_number_4, im_panel_number_5, im_panel_number_6, im_panel_number_7,
    im_panel_number_8, im_panel_number_9};

}  // namespace tiko::seg
