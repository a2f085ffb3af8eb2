#include "display/zoom.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "input/keyboard/key_codes.h"

namespace tiko {

namespace {

constexpr std::array<int, 14> kSteps = {50,  67,  75,  80,  90,  100, 110,
                                        125, 150, 175, 200, 250, 300, 400};

}  // namespace

int ValidZoom(int percent) {
  return std::clamp(percent, kZoomMin, kZoomMax);
}

int StepZoom(int percent, int steps) {
  percent = ValidZoom(percent);
  for (; steps > 0; --steps) {
    const auto next = std::upper_bound(kSteps.begin(), kSteps.end(), percent);
    if (next == kSteps.end()) break;
    percent = *next;
  }
  for (; steps < 0; ++steps) {
    const auto next = std::lower_bound(kSteps.begin(), kSteps.end(), percent);
    if (next == kSteps.begin()) break;
    percent = *(next - 1);
  }
  return percent;
}

std::optional<int> ZoomAfterSteps(QSize unit, QSize area, int percent, int steps) {
  // The largest zoom that fits; a hair of rounding does not cost a step that fits exactly.
  const double fits = FitScale(unit, area, kZoomMax) * 100 + 1e-6;
  const int shown = std::min(ValidZoom(percent), static_cast<int>(std::floor(fits)));
  int zoom = shown;
  for (const int way = steps > 0 ? 1 : -1; steps != 0; steps -= way) {
    const int next = StepZoom(zoom, way);
    if (next == zoom || next > fits) break;
    zoom = next;
  }
  if (zoom == shown) return std::nullopt;
  return zoom;
}

ZoomKeyAction ZoomKeyActionOf(int code, bool ctrl_form) {
  switch (code) {
    case vk::kOemPlus:
    case vk::kAdd:
      return ZoomKeyAction::kIn;
    case vk::kOemMinus:
    case vk::kSubtract:
      return ZoomKeyAction::kOut;
    case vk::kNumpad0:
      return ZoomKeyAction::kDefault;
    case '0':
      return ctrl_form ? ZoomKeyAction::kDefault : ZoomKeyAction::kNone;
    default:
      return ZoomKeyAction::kNone;
  }
}

double FitScale(QSize unit, QSize area, int percent) {
  double scale = ValidZoom(percent) / 100.0;
  if (unit.isEmpty() || area.isEmpty()) return scale;
  scale = std::min(scale, static_cast<double>(area.width()) / unit.width());
  scale = std::min(scale, static_cast<double>(area.height()) / unit.height());
  return scale;
}

QPoint KeepInside(QRect window, QRect area) {
  int x = std::min(window.x(), area.right() + 1 - window.width());
  int y = std::min(window.y(), area.bottom() + 1 - window.height());
  return QPoint(std::max(x, area.x()), std::max(y, area.y()));
}

}  // namespace tiko
