#include "display/zoom.h"

#include <algorithm>
#include <array>

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
