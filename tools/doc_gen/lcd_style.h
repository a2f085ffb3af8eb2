// The look of the unit's LCD in the printed pictures: dark, slightly see-through figures on a
// pale grey-green glass, with the unlit figures only just visible.
#pragma once

#include <QColor>
#include <QPainter>
#include <QRectF>
#include <QString>

namespace docgen {

inline const QColor kLcdInk(28, 36, 32, 215);
inline const QColor kLcdGhost(28, 36, 32, 20);
constexpr double kGhostOpacity = 0.09;

// A pale LCD panel with a dark frame.
void paint_lcd_panel(QPainter& p, const QRectF& r);

// Seven-segment digits, H pixels high, left edge at X: "0".."9", ":" and "_" (unlit place).
// Returns the width painted.
double paint_lcd_digits(QPainter& p, double x, double y, double h, const QString& text);

}  // namespace docgen
