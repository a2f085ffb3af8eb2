#include "tools/skin_preview/on_desk.h"

#include <QPainter>

namespace skin_preview {

QImage OnDesk(const QImage& windowed, QColor key, int margin) {
  const QRgb key_rgb = key.rgb() | 0xff000000u;
  // The unit's outline: every pixel that is not the key colour. The picture
  // is cut to the unit, so the closed unit is not lost in empty desk.
  QImage unit = windowed.convertToFormat(QImage::Format_ARGB32);
  QRect used;
  for (int y = 0; y < unit.height(); ++y) {
    auto* line = reinterpret_cast<QRgb*>(unit.scanLine(y));
    for (int x = 0; x < unit.width(); ++x) {
      if ((line[x] | 0xff000000u) == key_rgb) {
        line[x] = 0;
      } else {
        used |= QRect(x, y, 1, 1);
      }
    }
  }
  if (!used.isEmpty()) unit = unit.copy(used);
  // A soft shadow: the outline in black, blurred by repeated shrinking.
  QImage shadow(unit.size(), QImage::Format_ARGB32_Premultiplied);
  shadow.fill(Qt::transparent);
  {
    QPainter p(&shadow);
    p.drawImage(0, 0, unit);
    p.setCompositionMode(QPainter::CompositionMode_SourceIn);
    p.fillRect(shadow.rect(), QColor(20, 18, 15, 120));
  }
  const QImage blurred =
      shadow.scaled(shadow.size() / 12, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
          .scaled(shadow.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);

  QImage out(unit.size() + QSize(2 * margin, 2 * margin), QImage::Format_ARGB32_Premultiplied);
  QPainter p(&out);
  QLinearGradient desk(0, 0, 0, out.height());
  desk.setColorAt(0, QColor(0xe9, 0xe4, 0xda));
  desk.setColorAt(1, QColor(0xd6, 0xd0, 0xc4));
  p.fillRect(out.rect(), desk);
  p.drawImage(margin + 6, margin + 10, blurred);
  p.drawImage(margin, margin, unit);
  p.end();
  return out;
}

}  // namespace skin_preview
