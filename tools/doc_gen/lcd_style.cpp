#include "tools/doc_gen/lcd_style.h"

#include <QLinearGradient>
#include <QPainterPath>
#include <QPolygonF>
#include <array>
#include <cmath>

namespace docgen {

void paint_lcd_panel(QPainter& p, const QRectF& r) {
  p.save();
  p.setRenderHint(QPainter::Antialiasing);
  QLinearGradient glass(r.topLeft(), r.bottomRight());
  glass.setColorAt(0, QColor(214, 222, 200));
  glass.setColorAt(1, QColor(190, 200, 176));
  p.setPen(QPen(QColor(58, 62, 54), 2));
  p.setBrush(glass);
  p.drawRoundedRect(r, 5, 5);
  p.setPen(QPen(QColor(255, 255, 255, 90), 1));
  p.setBrush(Qt::NoBrush);
  p.drawRoundedRect(r.adjusted(3, 3, -3, -3), 3, 3);
  p.restore();
}

namespace {

// Segment order a..g: top, upper right, lower right, bottom, lower left, upper left, middle.
constexpr std::array<unsigned char, 10> kDigitSegments = {0x3f, 0x06, 0x5b, 0x4f, 0x66,
                                                          0x6d, 0x7d, 0x07, 0x7f, 0x6f};

QPolygonF bar(QPointF a, QPointF b, double t) {
  // A long hexagon from a to b, t thick.
  const QPointF d = b - a;
  const double len = std::hypot(d.x(), d.y());
  const QPointF u = d / len, n(-u.y(), u.x());
  const double e = t / 2;
  return QPolygonF({a + u * 0.6, a + u * (e + 0.6) + n * e, b - u * (e + 0.6) + n * e, b - u * 0.6,
                    b - u * (e + 0.6) - n * e, a + u * (e + 0.6) - n * e});
}

void paint_digit(QPainter& p, double x, double y, double h, int digit) {
  const double w = h * 0.52, t = h * 0.13, slant = h * 0.08;
  auto at = [&](double fx, double fy) {
    return QPointF(x + fx * w + (1 - fy) * slant, y + fy * h);
  };
  const std::array<QPolygonF, 7> segs = {
      bar(at(0, 0), at(1, 0), t),    bar(at(1, 0), at(1, 0.5), t), bar(at(1, 0.5), at(1, 1), t),
      bar(at(0, 1), at(1, 1), t),    bar(at(0, 0.5), at(0, 1), t), bar(at(0, 0), at(0, 0.5), t),
      bar(at(0, 0.5), at(1, 0.5), t)};
  const unsigned lit = digit >= 0 ? kDigitSegments[digit] : 0;
  for (int s = 0; s < 7; ++s) {
    p.setBrush((lit >> s) & 1 ? kLcdInk : kLcdGhost);
    p.drawPolygon(segs[s]);
  }
}

}  // namespace

double paint_lcd_digits(QPainter& p, double x, double y, double h, const QString& text) {
  p.save();
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(Qt::NoPen);
  const double x0 = x;
  for (QChar c : text) {
    if (c == ':') {
      const double d = h * 0.13;
      p.setBrush(kLcdInk);
      p.drawEllipse(QRectF(x + h * 0.06, y + h * 0.27, d, d));
      p.drawEllipse(QRectF(x + h * 0.02, y + h * 0.64, d, d));
      x += h * 0.3;
    } else {
      paint_digit(p, x, y, h, c.isDigit() ? c.digitValue() : -1);
      x += h * 0.52 + h * 0.26;
    }
  }
  p.restore();
  return x - x0;
}

}  // namespace docgen
