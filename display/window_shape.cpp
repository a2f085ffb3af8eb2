#include "display/window_shape.h"

#include <algorithm>
#include <cmath>

namespace tiko {

void ClearKeyColour(QImage& frame, QRect area, QRgb key) {
  const QRgb opaque_key = key | 0xff000000u;
  area &= frame.rect();
  for (int y = area.top(); y <= area.bottom(); ++y) {
    auto* line = reinterpret_cast<QRgb*>(frame.scanLine(y));
    for (int x = area.left(); x <= area.right(); ++x) {
      if (line[x] == opaque_key) line[x] = 0;
    }
  }
}

QImage OutlineMask(const QImage& frame, QRgb key) {
  QImage mask = frame.createMaskFromColor(key | 0xff000000u, Qt::MaskInColor);
  // Outline::Update reads and writes the bits in this order.
  return mask.format() == QImage::Format_MonoLSB ? mask
                                                 : mask.convertToFormat(QImage::Format_MonoLSB);
}

QImage ShrinkMask(const QImage& mask, QSize size) {
  if (mask.size() == size) return mask;
  QImage shrunk(size, QImage::Format_MonoLSB);
  shrunk.setColorTable(mask.colorTable());
  shrunk.fill(0);
  const double rx = static_cast<double>(mask.width()) / size.width();
  const double ry = static_cast<double>(mask.height()) / size.height();
  for (int y = 0; y < size.height(); ++y) {
    const int top = static_cast<int>(y * ry);
    const int bottom = std::min(mask.height(), static_cast<int>(std::ceil((y + 1) * ry)));
    for (int x = 0; x < size.width(); ++x) {
      const int left = static_cast<int>(x * rx);
      const int right = std::min(mask.width(), static_cast<int>(std::ceil((x + 1) * rx)));
      bool see_through = false;
      for (int fy = top; fy < bottom && !see_through; ++fy) {
        for (int fx = left; fx < right && !see_through; ++fx) see_through = mask.pixelIndex(fx, fy);
      }
      if (see_through) shrunk.setPixel(x, y, 1);
    }
  }
  return shrunk;
}

bool Outline::Update(const QImage& part, QPoint at, QSize frame, QRgb key) {
  bool changed = false;
  if (mask_.size() != frame) {
    // Every pixel see-through until its part comes.
    mask_ = QImage(frame, QImage::Format_MonoLSB);
    mask_.setColorTable(OutlineMask(QImage(1, 1, QImage::Format_ARGB32), key).colorTable());
    mask_.fill(1);
    changed = true;
  }
  const QRect area = QRect(at, part.size()) & mask_.rect();
  // In the mask (one bit a pixel, the first pixel in the lowest bit) a set
  // bit is a see-through pixel. Read and written in place: this runs on every
  // repaint, and the outline seldom changes.
  const QRgb opaque_key = key | 0xff000000u;
  for (int y = area.top(); y <= area.bottom(); ++y) {
    const auto* line = reinterpret_cast<const QRgb*>(part.constScanLine(y - at.y()));
    uchar* bits = mask_.scanLine(y);
    for (int x = area.left(); x <= area.right(); ++x) {
      const bool see_through = line[x - at.x()] == opaque_key;
      uchar& byte = bits[x >> 3];
      const auto bit = static_cast<uchar>(1u << (x & 7));
      if (((byte & bit) != 0) != see_through) {
        byte ^= bit;
        changed = true;
      }
    }
  }
  return changed;
}

}  // namespace tiko
