// Intervals of the timers that several play sequences start again when play
// resumes.
#pragma once

namespace tiko::play {

inline constexpr int kUmbrellaBalloonMs = 800;
inline constexpr int kGaruArmMs = 740;
inline constexpr int kFlyingTuneMs = 4060;
inline constexpr int kCoconutTuneMs = 1900;
inline constexpr int kScoreBlinkMs = 800;

}  // namespace tiko::play
