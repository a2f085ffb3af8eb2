// The window's frame, kept between paints: each render repaints only the
// places of the images that changed since the last one, each on its own, over
// a kept picture of the layers beneath the LCD.
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
  const QImage& background() const { return background_; }

 private:
  // The area to repaint, and whether a layer of the background changed;
  // nothing when the scene no longer tells what changed.
  std::optional<QRegion> ChangedArea(const Scene& scene, const PictureTable& pictures, QSize client,
                                     double scale, bool* background) const;

  QImage frame_;
  QImage background_;  // the fill and the layers beneath the LCD
  std::uint64_t revision_ = 0;
};

}  // namespace tiko
