// What of the window's frame changed since the last paint: the places of the
// images that changed, each on its own. No frame is kept besides the window's
// own backing store: a place is composed when it is needed, from every layer
// clipped to it, in pieces small enough that no window-sized image is made.
#pragma once

#include <QImage>
#include <QRect>
#include <QRegion>
#include <cstdint>
#include <optional>
#include <vector>

#include "display/frame_painter.h"

namespace tiko {

class FrameBuffer {
 public:
  // Brings the frame up to the scene; `everything` after a new layout or new
  // pictures. Returns the area to repaint, empty when nothing changed.
  QRegion Render(const Scene& scene, const PictureTable& pictures, const FrameLook& look,
                 bool everything);

  QSize size() const { return size_; }

 private:
  // The area to repaint; nothing when the scene no longer tells what changed.
  std::optional<QRegion> ChangedArea(const Scene& scene, const PictureTable& pictures, QSize client,
                                     double scale) const;

  QSize size_;
  std::uint64_t revision_ = 0;
};

// The frame's pixels within `rect` (device pixels), as a picture of the rect's size.
QImage ComposeFrame(const Scene& scene, const PictureTable& pictures, const FrameLook& look,
                    QRect rect);

// `area` in pieces of a few thousand pixels at most, bands of its rectangles.
std::vector<QRect> FramePieces(const QRegion& area);

}  // namespace tiko
