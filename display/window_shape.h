// The unit's outline in windowed mode: pixels of the transparency colour are
// see-through, per pixel where a compositor blends windows, through the
// window's shape mask where none does.
#pragma once

#include <QImage>
#include <QRect>
#include <QRgb>

namespace tiko {

// Makes every pixel of the key colour within `area` fully transparent.
void ClearKeyColour(QImage& frame, QRect area, QRgb key);

// A one-bit mask whose region is wherever the frame is not of the key colour.
QImage OutlineMask(const QImage& frame, QRgb key);

// A mask of the frame's pixels brought to the window's `size` (the frame is
// larger on a scaled screen): a window pixel is see-through where any frame
// pixel under it is, so that no key colour shows at the unit's edge.
QImage ShrinkMask(const QImage& mask, QSize size);

// The outline as a mask, brought up to date piece by piece as the frame changes.
class Outline {
 public:
  // Takes `part` of a frame of `frame` size, whose top-left corner lies at
  // `at` in the frame; true when the outline changed there.
  bool Update(const QImage& part, QPoint at, QSize frame, QRgb key);
  const QImage& mask() const { return mask_; }
  void Clear() { mask_ = QImage(); }

 private:
  QImage mask_;
};

}  // namespace tiko
