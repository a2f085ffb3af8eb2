// The window's frame, kept between paints: each render repaints only the
// places of the images that changed since the last one, each on its own, every
// layer clipped to the place. No picture of the layers beneath the LCD is kept
// besides: a window-sized image costs more memory than their clipped drawing
// costs time.
#pragma once

#include <QImage>
#include <QRect>
#include <QRegion>
#include <cstdint>
#include <optional>

#include "display/frame_painter.h"

namespace tiko {

class FrameBuffer {
 public:
  // Brings the frame up to the scene; `everything` after a new layout or new
  // pictures. Returns the area repainted, empty when nothing changed.
  QRegion Render(const Scene& scene, const PictureTable& pictures, const FrameLook& look,
                 bool everything);

  const QImage& image() const { return frame_; }
  QImage& image() { return frame_; }

 private:
  // The area to repaint; nothing when the scene no longer tells what changed.
  std::optional<QRegion> ChangedArea(const Scene& scene, const PictureTable& pictures, QSize client,
                                     double scale) const;

  QImage frame_;
  std::uint64_t revision_ = 0;
};

}  // namespace tiko
