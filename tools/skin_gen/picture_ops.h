// Finishing steps applied to a rendered group before it is cropped and saved.
#pragma once

#include <QColor>
#include <QImage>
#include <QRect>

namespace skin_gen {

// The smallest rectangle holding every pixel that is not fully transparent;
// a null rectangle for an empty picture.
QRect OpaqueBounds(const QImage& image);

// Every pixel becomes either fully opaque (keeping its colour) or fully
// transparent, so that no edge pixel blends with the colour-key colour behind it.
QImage HardenEdges(const QImage& image);

// An LCD figure: the drawn shape in one ink, a little see-through, with the
// faint shadow a lit segment throws on the reflector behind the liquid crystal.
struct Ink {
  double opacity = 1.0;
  QPoint shadow_offset;
  double shadow_opacity = 0.0;
};
QImage ApplyInk(const QImage& image, const Ink& ink);

// Keeps LCD segments apart as on real glass: every pixel that `taken`
// already covers is cleared from `image` (whose top-left lies at `origin` in
// `taken`), and what is left of the image is then marked as taken.
void CarveApart(QImage& image, QPoint origin, QImage& taken);

}  // namespace skin_gen
