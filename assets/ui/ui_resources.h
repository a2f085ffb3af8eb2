// The pictures of the splash window, the about box and the manual viewer's buttons.
// They live in the Qt resource library `tiko_ui_resources` under the prefix /ui; link the
// library and load them by these paths. The build reads this file to know which pictures
// to draw and at what size, so an entry added here is drawn from assets/ui/<name>.svg.
#pragma once

#include <array>
#include <string_view>

namespace tiko::ui {

struct UiPicture {
  std::string_view path;
  int width;
  int height;
};

// Splash window.
inline constexpr UiPicture splash_background{":/ui/splash_background.png", 460, 420};
inline constexpr UiPicture splash_box{":/ui/splash_box.png", 460, 160};
inline constexpr UiPicture splash_play{":/ui/splash_play.png", 107, 30};
inline constexpr UiPicture splash_play_disabled{":/ui/splash_play_disabled.png", 107, 30};
inline constexpr UiPicture splash_donate{":/ui/splash_donate.png", 107, 30};

// About box.
inline constexpr UiPicture about_picture{":/ui/about_picture.png", 116, 160};

// Manual viewer: each button is an "up" picture lying over its pressed "down" picture.
inline constexpr UiPicture manual_left_up{":/ui/manual_left_up.png", 16, 14};
inline constexpr UiPicture manual_left_down{":/ui/manual_left_down.png", 16, 14};
inline constexpr UiPicture manual_right_up{":/ui/manual_right_up.png", 16, 14};
inline constexpr UiPicture manual_right_down{":/ui/manual_right_down.png", 16, 14};
inline constexpr UiPicture manual_close_up{":/ui/manual_close_up.png", 16, 14};
inline constexpr UiPicture manual_close_down{":/ui/manual_close_down.png", 16, 14};

inline constexpr std::array<UiPicture, 12> all_pictures{
    splash_background, splash_box,        splash_play,     splash_play_disabled,
    splash_donate,     about_picture,     manual_left_up,  manual_left_down,
    manual_right_up,   manual_right_down, manual_close_up, manual_close_down};

// The start window's release line.
inline constexpr std::string_view release_note{
    "Released by the Tiko simulator project, December 2026"};

// The project's own addresses, placeholders until it has real ones.
inline constexpr std::string_view website_url{"https://tiko-simulator.example.org"};
inline constexpr std::string_view website_text{"tiko-simulator.example.org"};
inline constexpr std::string_view email_address{"tiko-simulator@example.org"};
inline constexpr std::string_view donation_url{"https://tiko-simulator.example.org/donate"};

}  // namespace tiko::ui
