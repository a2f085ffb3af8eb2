// The player's zoom of the unit, and the scale it is drawn at on a screen.
#pragma once

#include <QRect>
#include <QSize>
#include <optional>

namespace tiko {

inline constexpr int kZoomDefault = 100;
inline constexpr int kZoomMin = 50;
inline constexpr int kZoomMax = 400;

// A stored zoom brought into range; anything unreadable is the default.
int ValidZoom(int percent);

// The next zoom step above (`steps` > 0) or below (`steps` < 0) `percent`.
int StepZoom(int percent, int steps);

// The zoom the player's `steps` lead to from the zoom shown of `unit` stored
// at `percent` on `area`, taken one step at a time: a step that would leave
// 50..400 % or what fits the area is not taken. Nothing when no step is.
std::optional<int> ZoomAfterSteps(QSize unit, QSize area, int percent, int steps);

// What a key does to the zoom, by its virtual-key code: the '+' keys step in,
// the '-' keys out, keypad 0 goes back to 100 %. With `ctrl_form` (Ctrl held
// and bound to no control) the number row's 0 goes back to 100 % too.
enum class ZoomKeyAction { kNone, kIn, kOut, kDefault };
ZoomKeyAction ZoomKeyActionOf(int code, bool ctrl_form);

// The scale (skin pixels to window pixels) for `unit` at `percent`, reduced
// so that the unit fits `area` when it would not.
double FitScale(QSize unit, QSize area, int percent);

// Where `window` goes to lie inside `area`; one larger than the area keeps to
// its top-left corner.
QPoint KeepInside(QRect window, QRect area);

}  // namespace tiko
