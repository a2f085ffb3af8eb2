#include "tools/doc_gen/ui_render.h"

#include <QPainter>
#include <QSvgRenderer>

namespace docgen {

QImage render_ui_picture(const QDir& svg_dir, const QString& name, int width, int height,
                         QString& error) {
  const QString path = svg_dir.filePath(name + ".svg");
  QSvgRenderer svg(path);
  if (!svg.isValid()) {
    error = QStringLiteral("cannot read the drawing %1").arg(path);
    return {};
  }
  QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  p.setRenderHint(QPainter::TextAntialiasing);
  svg.render(&p, QRectF(0, 0, width, height));
  p.end();
  return image;
}

}  // namespace docgen
