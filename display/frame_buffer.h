// The window's frame, kept between paints: each render repaints only the area
// of the images that changed since the last one.
#pragma once

#include <QImage>
#include <QRect>
#include <array>
#include <cstdint>

#include "display/frame_painter.h"

namespace tiko {

class FrameBuffer {
 public:
  // Brings the frame up to the scene; `everything` after a new layout or new
  // pictures. Returns the area repainted, empty when nothing changed.
  QRect Render(const Scene& scene, const PictureTable& pictures, const FrameLook& look,
               bool everything);

  const QImage& image() const { return frame_; }
  QImage& image() { return frame_; }

 private:
  QRect ChangedArea(const Scene& scene, const PictureTable& pictures, QSize client,
                    double scale) const;

  QImage frame_;
  std::array<Image, kImageEnd> painted_{};
  std::uint64_t revision_ = 0;
};

}  // namespace tiko
