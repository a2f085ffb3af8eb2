#include "display/frame_buffer.h"

#include <QPainter>
#include <algorithm>
#include <bitset>

namespace tiko {

namespace {

bool Same(const Image& a, const Image& b) {
  return a.left == b.left && a.top == b.top && a.width == b.width && a.height == b.height &&
         a.visible == b.visible && a.picture == b.picture;
}

}  // namespace

std::optional<QRegion> FrameBuffer::ChangedArea(const Scene& scene, const PictureTable& pictures,
                                                QSize client, double scale) const {
  const auto changes = scene.ChangesSince(revision_);
  if (!changes) return std::nullopt;
  QRegion area;
  std::bitset<kImageEnd> seen;
  for (const SceneChange& change : *changes) {
    // The first change of an image holds it as it was painted.
    if (seen[change.id]) continue;
    seen[change.id] = true;
    const Image& before = change.before;
    const Image& now = scene[change.id];
    if (Same(now, before) || (!now.visible && !before.visible)) continue;
    if (before.visible) area += DeviceArea(change.id, before, pictures, client, scale);
    if (now.visible) area += DeviceArea(change.id, now, pictures, client, scale);
  }
  return area;
}

QRegion FrameBuffer::Render(const Scene& scene, const PictureTable& pictures, const FrameLook& look,
                            bool everything) {
  const QSize size(std::max(1, look.client.width()), std::max(1, look.client.height()));
  if (frame_.size() != size) {
    frame_ = QImage(size, QImage::Format_ARGB32_Premultiplied);
    everything = true;
  }
  if (!everything && scene.Revision() == revision_) return {};
  const QRect whole(QPoint(0, 0), size);
  const FrameLook at{size, look.background, look.backdrop_stretch, look.scale};
  QRegion area = whole;
  if (!everything) {
    if (auto changed = ChangedArea(scene, pictures, size, look.scale)) {
      area = changed->intersected(whole);
    }
  }
  revision_ = scene.Revision();
  if (area.isEmpty()) return {};
  QPainter painter(&frame_);
  for (const QRect& rect : area) {
    painter.setClipRect(rect);
    PaintScene(painter, scene, pictures, at, rect);
  }
  return area;
}

}  // namespace tiko
