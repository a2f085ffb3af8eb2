// The player's zoom of the unit, and the scale it is drawn at on a screen.
#pragma once

#include <QRect>
#include <QSize>

namespace tiko {

inline constexpr int kZoomDefault = 100;
inline constexpr int kZoomMin = 50;
inline constexpr int kZoomMax = 400;

// A stored zoom brought into range; anything unreadable is the default.
int ValidZoom(int percent);

// The next zoom step above (`steps` > 0) or below (`steps` < 0) `percent`.
int StepZoom(int percent, int steps);

// The scale (skin pixels to window pixels) for `unit` at `percent`, reduced
// so that the unit fits `area` when it would not.
double FitScale(QSize unit, QSize area, int percent);

// Where `window` goes to lie inside `area`; one larger than the area keeps to
// its top-left corner.
QPoint KeepInside(QRect window, QRect area);

}  // namespace tiko
