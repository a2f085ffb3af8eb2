#include "tools/doc_gen/lcd_scene.h"

#include <QFile>
#include <QSvgRenderer>
#include <QXmlStreamReader>

#include "tools/doc_gen/lcd_style.h"

namespace docgen {

QStringList segment_ids(const QString& svg_path) {
  QStringList ids;
  QFile file(svg_path);
  if (!file.open(QIODevice::ReadOnly)) return ids;
  QXmlStreamReader xml(&file);
  while (!xml.atEnd()) {
    if (xml.readNext() != QXmlStreamReader::StartElement) continue;
    const QString id = xml.attributes().value(QLatin1String("id")).toString();
    if (id.startsWith(QLatin1String("s_"))) ids << id;
  }
  return ids;
}

bool is_lit(const QString& id, const QStringList& lit) {
  for (const QString& name : lit) {
    if (name == QLatin1String("all") || name == id) return true;
    if (name.endsWith('*') && id.startsWith(name.chopped(1))) return true;
  }
  return false;
}

bool paint_lcd_scene(QPainter& p, const QString& svg_path, double x, double y, double width,
                     const QStringList& lit, QString& error) {
  QSvgRenderer svg(svg_path);
  if (!svg.isValid()) {
    error = QStringLiteral("cannot read the drawing %1").arg(svg_path);
    return false;
  }
  const QStringList ids = segment_ids(svg_path);
  for (const QString& name : lit) {
    if (name == QLatin1String("all") || name.endsWith('*')) continue;
    if (!ids.contains(name)) {
      error = QStringLiteral("%1 has no segment '%2'").arg(svg_path, name);
      return false;
    }
  }
  const QRectF view = svg.viewBoxF();
  const double scale = width / view.width();
  auto place = [&](const QRectF& b) {
    return QRectF(x + (b.x() - view.x()) * scale, y + (b.y() - view.y()) * scale, b.width() * scale,
                  b.height() * scale);
  };
  p.save();
  if (svg.elementExists(QStringLiteral("scenery"))) {
    svg.render(&p, QStringLiteral("scenery"), place(svg.boundsOnElement("scenery")));
  }
  for (const QString& id : ids) {
    const QRectF b = svg.boundsOnElement(id);
    if (b.isEmpty()) continue;
    p.setOpacity(is_lit(id, lit) ? 1.0 : kGhostOpacity);
    svg.render(&p, id, place(b));
  }
  p.restore();
  return true;
}

}  // namespace docgen
