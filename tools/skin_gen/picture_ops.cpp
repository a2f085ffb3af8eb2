#include "tools/skin_gen/picture_ops.h"

#include <QPainter>
#include <algorithm>

namespace skin_gen {

QRect OpaqueBounds(const QImage& source) {
  const QImage image = source.convertToFormat(QImage::Format_ARGB32);
  int left = image.width(), top = image.height(), right = -1, bottom = -1;
  for (int y = 0; y < image.height(); ++y) {
    const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
    for (int x = 0; x < image.width(); ++x) {
      if (qAlpha(line[x]) == 0) continue;
      left = std::min(left, x);
      right = std::max(right, x);
      top = std::min(top, y);
      bottom = std::max(bottom, y);
    }
  }
  if (right < 0) return {};
  return QRect(QPoint(left, top), QPoint(right, bottom));
}

QImage HardenEdges(const QImage& source) {
  QImage image = source.convertToFormat(QImage::Format_ARGB32);
  for (int y = 0; y < image.height(); ++y) {
    auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
    for (int x = 0; x < image.width(); ++x) {
      const QRgb p = line[x];
      line[x] = qAlpha(p) >= 128 ? qRgba(qRed(p), qGreen(p), qBlue(p), 255) : 0;
    }
  }
  return image;
}

QImage ApplyInk(const QImage& source, const Ink& ink) {
  const QImage shape = source.convertToFormat(QImage::Format_ARGB32);
  QImage out(shape.size(), QImage::Format_ARGB32_Premultiplied);
  out.fill(Qt::transparent);
  QPainter painter(&out);
  if (ink.shadow_opacity > 0) {
    // The shadow is the shape's outline in black, offset and faint.
    QImage shadow = shape;
    for (int y = 0; y < shadow.height(); ++y) {
      auto* line = reinterpret_cast<QRgb*>(shadow.scanLine(y));
      for (int x = 0; x < shadow.width(); ++x) line[x] = qRgba(0, 0, 0, qAlpha(line[x]));
    }
    painter.setOpacity(ink.shadow_opacity);
    painter.drawImage(ink.shadow_offset, shadow);
  }
  painter.setOpacity(ink.opacity);
  painter.drawImage(0, 0, shape);
  painter.end();
  return out;
}

void CarveApart(QImage& image, QPoint origin, QImage& taken) {
  image = image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
  const QRect area = QRect(origin, image.size()).intersected(taken.rect());
  for (int y = area.top(); y <= area.bottom(); ++y) {
    auto* line = reinterpret_cast<QRgb*>(image.scanLine(y - origin.y()));
    uchar* mark = taken.scanLine(y);
    for (int x = area.left(); x <= area.right(); ++x) {
      QRgb& pixel = line[x - origin.x()];
      if (qAlpha(pixel) == 0) continue;
      if (mark[x] != 0) {
        pixel = 0;
      } else {
        mark[x] = 1;
      }
    }
  }
}

}  // namespace skin_gen
