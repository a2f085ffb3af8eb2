// The texts of the shell windows and the project's own addresses.
#pragma once

#include <QString>

#include "assets/ui/ui_resources.h"
#include "tiko_version.h"

namespace tiko::shell_text {

inline constexpr const char* kTitle = "Bolo Garu Tiko (Vexmar, Ticklet Skyglass) Simulator";
inline constexpr const char* kVersion = "Version " TIKO_VERSION " * Graphics improvements *";

inline QString Text(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<int>(text.size()));
}
inline QString ReleaseNote() {
  return Text(ui::release_note);
}
inline QString WebsiteShown() {
  return Text(ui::website_text);
}
inline QString WebsiteUrl() {
  return Text(ui::website_url);
}
inline QString EmailShown() {
  return Text(ui::email_address);
}
inline QString EmailUrl() {
  return "mailto:" + Text(ui::email_address);
}
inline QString DonateUrl() {
  return Text(ui::donation_url);
}

}  // namespace tiko::shell_text
