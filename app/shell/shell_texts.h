// The project's own addresses and the texts of the shell windows.
#pragma once

namespace tiko::shell_text {

inline constexpr const char* kTitle = "Bolo Garu Tiko (Vexmar, Ticklet Skyglass) Simulator";
inline constexpr const char* kVersion = "Version 5.01 * Graphics improvements *";
inline constexpr const char* kReleaseNote = "Released by the Tiko Simulator Project, December 2026";

// Placeholder addresses of the project; no real person's data.
inline constexpr const char* kWebsiteShown = "tiko-simulator.example.org";
inline constexpr const char* kWebsiteUrl = "https://tiko-simulator.example.org/simulators";
inline constexpr const char* kEmailShown = "tiko-simulator@example.org";
inline constexpr const char* kEmailUrl = "mailto:tiko-simulator@example.org";
inline constexpr const char* kDonateUrl = "https://tiko-simulator.example.org/donate";

}  // namespace tiko::shell_text
