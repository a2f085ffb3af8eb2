// Renders one named group of an SVG drawing on its own, at the drawing's own
// coordinates, one pixel per user unit.
#pragma once

#include <QDomDocument>
#include <QImage>
#include <QRect>
#include <QString>
#include <optional>

namespace skin_gen {

class SvgDrawing {
 public:
  // Returns an empty optional and fills `error` when the file cannot be read or parsed.
  static std::optional<SvgDrawing> Load(const QString& path, QString* error);

  bool Has(const QString& id) const;
  QSize CanvasSize() const { return canvas_; }

  // The whole drawing with only `id` (and what it references from <defs>) left in it.
  QImage RenderGroup(const QString& id) const;
  // The part `area` (in user units) of that drawing, at `scale` pixels per unit.
  QImage RenderGroup(const QString& id, QRect area, int scale) const;
  // The whole drawing as it stands, at `scale` pixels per unit.
  QImage RenderAll(int scale = 1) const;

  // An attribute of the group or of its nearest ancestor that carries it; empty when none does.
  QString InheritedAttribute(const QString& id, const QString& name) const;

 private:
  QDomDocument doc_;
  QSize canvas_;
};

}  // namespace skin_gen
