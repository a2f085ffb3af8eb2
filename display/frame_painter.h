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
  QSize client;  // the frame, in device pixels
  QColor background;
  bool backdrop_stretch = false;
  double scale = 1.0;  // device pixels per skin pixel
};

// Where a skin rectangle lies in the frame at `scale`.
QRect ToDevice(QRect rect, double scale);

// A picture (already at the look's scale) is drawn at its natural size from
// its image's top-left corner, clipped to the image's size. The backdrop spans
// the whole window (centred or stretched); the logo takes its picture's size.
// The fill, then only the images that reach into `within` (device pixels),
// which the painter is expected to clip to.
void PaintScene(QPainter& painter, const Scene& scene, const PictureTable& pictures,
                const FrameLook& look, QRect within);
void PaintScene(QPainter& painter, const Scene& scene, const PictureTable& pictures,
                const FrameLook& look);

// Where an image in the given state can draw, in device pixels: its
// rectangle; the backdrop spans the window and the logo takes its picture's size.
QRect DeviceArea(ImageId id, const Image& image, const PictureTable& pictures, QSize client,
                 double scale);

// The pictures in the format the raster painter draws fastest.
PictureTable PreparePictures(const PictureTable& pictures);

}  // namespace tiko
