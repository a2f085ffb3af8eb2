#include "tools/skin_gen/svg_parts.h"

#include <QFile>
#include <QPainter>
#include <QSvgRenderer>

namespace skin_gen {

namespace {

QDomElement FindById(const QDomElement& root, const QString& id) {
  if (root.attribute("id") == id) return root;
  for (QDomElement child = root.firstChildElement(); !child.isNull();
       child = child.nextSiblingElement()) {
    QDomElement found = FindById(child, id);
    if (!found.isNull()) return found;
  }
  return {};
}

bool Contains(const QDomElement& outer, const QDomElement& inner) {
  for (QDomNode n = inner; !n.isNull(); n = n.parentNode()) {
    if (n == outer) return true;
  }
  return false;
}

// Parts of the drawing that every group may draw from.
bool IsShared(const QDomElement& e) {
  const QString tag = e.tagName();
  return tag == "defs" || tag == "style" || tag == "title" || tag == "desc" || tag == "metadata";
}

// Removes everything beside the path from the root to `target` and the target itself.
void Prune(QDomElement parent, const QDomElement& target) {
  QDomElement child = parent.firstChildElement();
  while (!child.isNull()) {
    QDomElement next = child.nextSiblingElement();
    if (child == target) {
      child.removeAttribute("display");
    } else if (Contains(child, target)) {
      child.removeAttribute("display");
      Prune(child, target);
    } else if (!IsShared(child)) {
      parent.removeChild(child);
    }
    child = next;
  }
}

// The part `area` of a drawing whose canvas is `canvas`, at `scale` pixels per unit.
QImage Render(const QByteArray& svg, QSize canvas, QRect area, int scale) {
  QSvgRenderer renderer(svg);
  QImage image(area.size() * scale, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  QPainter painter(&image);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setRenderHint(QPainter::SmoothPixmapTransform);
  painter.scale(scale, scale);
  painter.translate(-area.topLeft());
  renderer.render(&painter, QRectF(QPointF(0, 0), QSizeF(canvas)));
  painter.end();
  return image;
}

}  // namespace

std::optional<SvgDrawing> SvgDrawing::Load(const QString& path, QString* error) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) {
    *error = path + ": cannot be read";
    return std::nullopt;
  }
  SvgDrawing drawing;
  QString message;
  int line = 0;
  if (!drawing.doc_.setContent(&file, &message, &line)) {
    *error = QString("%1:%2: %3").arg(path).arg(line).arg(message);
    return std::nullopt;
  }
  const QStringList box =
      drawing.doc_.documentElement().attribute("viewBox").split(' ', Qt::SkipEmptyParts);
  if (box.size() != 4) {
    *error = path + ": the drawing needs a viewBox";
    return std::nullopt;
  }
  drawing.canvas_ = QSize(qRound(box[2].toDouble()), qRound(box[3].toDouble()));
  return drawing;
}

bool SvgDrawing::Has(const QString& id) const {
  return !FindById(doc_.documentElement(), id).isNull();
}

QImage SvgDrawing::RenderGroup(const QString& id) const {
  return RenderGroup(id, QRect(QPoint(0, 0), canvas_), 1);
}

QImage SvgDrawing::RenderGroup(const QString& id, QRect area, int scale) const {
  QDomDocument copy = doc_.cloneNode(true).toDocument();
  const QDomElement target = FindById(copy.documentElement(), id);
  Prune(copy.documentElement(), target);
  return Render(copy.toByteArray(), canvas_, area, scale);
}

QImage SvgDrawing::RenderAll(int scale) const {
  return Render(doc_.toByteArray(), canvas_, QRect(QPoint(0, 0), canvas_), scale);
}

QString SvgDrawing::InheritedAttribute(const QString& id, const QString& name) const {
  for (QDomNode n = FindById(doc_.documentElement(), id); !n.isNull(); n = n.parentNode()) {
    const QDomElement e = n.toElement();
    if (!e.isNull() && e.hasAttribute(name)) return e.attribute(name);
  }
  return {};
}

}  // namespace skin_gen
