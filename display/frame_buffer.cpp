#include "display/frame_buffer.h"

#include <QPainter>
#include <algorithm>

namespace tiko {

namespace {

bool Same(const Image& a, const Image& b) {
  return a.left == b.left && a.top == b.top && a.width == b.width && a.height == b.height &&
         a.visible == b.visible && a.picture == b.picture;
}

// Where an image can draw: its rectangle; the backdrop spans the window and
// the logo takes its picture's size.
// Pictures are at the frame's scale; places are in skin pixels.
QRect AreaOf(ImageId id, const Image& image, const PictureTable& pictures, QSize client,
             double scale) {
  if (id == im_backdrop) return QRect(QPoint(0, 0), client);
  if (id == im_backdrop_logo) {
    return QRect(ToDevice(QRect(image.left, image.top, 1, 1), scale).topLeft(),
                 image.picture == kNoImage ? QSize() : pictures[image.picture].size());
  }
  return ToDevice(QRect(image.left, image.top, image.width, image.height), scale);
}

}  // namespace

QRect FrameBuffer::ChangedArea(const Scene& scene, const PictureTable& pictures, QSize client,
                               double scale) const {
  QRect area;
  for (int i = 1; i < kImageEnd; ++i) {
    const ImageId id = static_cast<ImageId>(i);
    const Image& now = scene[id];
    const Image& before = painted_[i];
    if (Same(now, before) || (!now.visible && !before.visible)) continue;
    if (before.visible) area |= AreaOf(id, before, pictures, client, scale);
    if (now.visible) area |= AreaOf(id, now, pictures, client, scale);
  }
  return area;
}

QRect FrameBuffer::Render(const Scene& scene, const PictureTable& pictures, const FrameLook& look,
                          bool everything) {
  const QSize size(std::max(1, look.client.width()), std::max(1, look.client.height()));
  if (frame_.size() != size) {
    frame_ = QImage(size, QImage::Format_ARGB32_Premultiplied);
    everything = true;
  }
  if (!everything && scene.Revision() == revision_) return {};
  const QRect whole(QPoint(0, 0), size);
  const QRect area =
      everything ? whole : ChangedArea(scene, pictures, size, look.scale).intersected(whole);
  for (int i = 1; i < kImageEnd; ++i) painted_[i] = scene[static_cast<ImageId>(i)];
  revision_ = scene.Revision();
  if (area.isEmpty()) return {};
  QPainter painter(&frame_);
  painter.setClipRect(area);
  PaintScene(painter, scene, pictures,
             FrameLook{size, look.background, look.backdrop_stretch, look.scale});
  return area;
}

}  // namespace tiko
