#include "display/frame_painter.h"

#include <QPainter>
#include <algorithm>
#include <cmath>

namespace tiko {

namespace {

void PaintBackdrop(QPainter& painter, const QImage& picture, const FrameLook& look) {
  if (look.backdrop_stretch) {
    painter.drawImage(QRect(QPoint(0, 0), look.client), picture);
  } else {
    painter.drawImage((look.client.width() - picture.width()) / 2,
                      (look.client.height() - picture.height()) / 2, picture);
  }
}

int ToDevice(int position, double scale) {
  return static_cast<int>(std::lround(position * scale));
}

}  // namespace

QRect ToDevice(QRect rect, double scale) {
  if (scale == 1.0) return rect;
  return QRect(
      QPoint(ToDevice(rect.left(), scale), ToDevice(rect.top(), scale)),
      QPoint(ToDevice(rect.right() + 1, scale) - 1, ToDevice(rect.bottom() + 1, scale) - 1));
}

namespace {

void PaintImage(QPainter& painter, ImageId id, const Image& image, const QImage& picture,
                const FrameLook& look) {
  if (id == im_backdrop) {
    PaintBackdrop(painter, picture, look);
  } else if (id == im_backdrop_logo) {
    painter.drawImage(ToDevice(image.left, look.scale), ToDevice(image.top, look.scale), picture);
  } else {
    const QRect place =
        tiko::ToDevice(QRect(image.left, image.top, image.width, image.height), look.scale);
    const int width = std::min(place.width(), picture.width());
    const int height = std::min(place.height(), picture.height());
    if (width <= 0 || height <= 0) return;
    painter.drawImage(place.topLeft(), picture, QRect(0, 0, width, height));
  }
}

}  // namespace

QRect DeviceArea(ImageId id, const Image& image, const PictureTable& pictures, QSize client,
                 double scale) {
  if (id == im_backdrop) return QRect(QPoint(0, 0), client);
  if (id == im_backdrop_logo) {
    return QRect(ToDevice(QRect(image.left, image.top, 1, 1), scale).topLeft(),
                 image.picture == kNoImage ? QSize() : pictures[image.picture].size());
  }
  return ToDevice(QRect(image.left, image.top, image.width, image.height), scale);
}

void PaintScene(QPainter& painter, const Scene& scene, const PictureTable& pictures,
                const FrameLook& look, QRect within) {
  painter.setCompositionMode(QPainter::CompositionMode_Source);
  painter.fillRect(within, look.background);
  painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
  for (const ImageId id : StackingOrder()) {
    const Image& image = scene[id];
    if (!image.visible || image.picture == kNoImage) continue;
    const QImage& picture = pictures[image.picture];
    if (picture.isNull()) continue;
    if (!DeviceArea(id, image, pictures, look.client, look.scale).intersects(within)) continue;
    PaintImage(painter, id, image, picture, look);
  }
}

void PaintScene(QPainter& painter, const Scene& scene, const PictureTable& pictures,
                const FrameLook& look) {
  PaintScene(painter, scene, pictures, look, QRect(QPoint(0, 0), look.client));
}

PictureTable PreparePictures(const PictureTable& pictures) {
  PictureTable prepared;
  for (int id = 0; id < kImageEnd; ++id) {
    if (!pictures[id].isNull()) {
      prepared[id] = pictures[id].convertToFormat(QImage::Format_ARGB32_Premultiplied);
    }
  }
  return prepared;
}

}  // namespace tiko
