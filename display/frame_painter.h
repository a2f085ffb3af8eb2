// Paints the scene: every visible image in the stacking order.
#pragma once

#include <QColor>
#include <QImage>
#include <QSize>
#include <array>

#include "engine/scene.h"

class QPainter;

namespace tiko {

using PictureTable = std::array<QImage, kImageEnd>;

struct FrameLook {
  QSize client;
  QColor background;
  bool backdrop_stretch = false;
};

// A picture is drawn at its natural size from its image's top-left corner,
// clipped to the image's size. The backdrop spans the whole window (centred or
// stretched); the logo takes its picture's size.
void PaintScene(QPainter& painter, const Scene& scene, const PictureTable& pictures,
                const FrameLook& look);

// The pictures in the format the raster painter draws fastest.
PictureTable PreparePictures(const PictureTable& pictures);

}  // namespace tiko
