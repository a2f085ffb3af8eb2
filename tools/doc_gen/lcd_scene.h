// Draws an LCD drawing the way the unit shows it: the printed scenery, the lit segments dark,
// and every unlit segment only just visible.
#pragma once

#include <QPainter>
#include <QRectF>
#include <QString>
#include <QStringList>

namespace docgen {

// The ids of the segments (elements whose id starts with "s_") of an SVG file, in file order.
QStringList segment_ids(const QString& svg_path);

// True when `id` is named by `lit`: an exact id, "all", or a prefix ending in "*".
bool is_lit(const QString& id, const QStringList& lit);

// Paints the drawing at (x, y), `width` pixels wide. Returns false with `error` set when the
// file cannot be read or `lit` names a segment it does not have.
bool paint_lcd_scene(QPainter& p, const QString& svg_path, double x, double y, double width,
                     const QStringList& lit, QString& error);

}  // namespace docgen
