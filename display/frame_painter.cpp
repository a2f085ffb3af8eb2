#include "display/frame_painter.h"

#include <QPainter>
#include <algorithm>

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

}  // namespace

void PaintScene(QPainter& painter, const Scene& scene, const PictureTable& pictures,
                const FrameLook& look) {
  painter.fillRect(QRect(QPoint(0, 0), look.client), look.background);
  for (ImageId id : StackingOrder()) {
    const Image& image = scene[id];
    if (!image.visible || image.picture == kNoImage) continue;
    const QImage& picture = pictures[image.picture];
    if (picture.isNull()) continue;
    if (id == im_backdrop) {
      PaintBackdrop(painter, picture, look);
    } else if (id == im_backdrop_logo) {
      painter.drawImage(image.left, image.top, picture);
    } else {
      const int width = std::min(image.width, picture.width());
      const int height = std::min(image.height, picture.height());
      if (width <= 0 || height <= 0) continue;
      painter.drawImage(QPoint(image.left, image.top), picture, QRect(0, 0, width, height));
    }
  }
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
