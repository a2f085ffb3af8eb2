// The skin's pictures at the scale they are drawn: from the smallest variant
// at or above that scale, reduced by area-averaging, once per scale change.
#pragma once

#include <QImage>

#include "config/skin/skin_loader.h"
#include "display/frame_painter.h"

namespace tiko {

// Which file serves a picture drawn at `scale` (device pixels per skin pixel):
// 1, 2 or 3 for the picture itself, its @2x or its @3x variant.
int VariantFor(double scale, const PictureVariants& variants);

// `picture` (at 100 %) brought to `scale`, from the variant that serves it.
// A variant that cannot be read or is not of its stated size is passed over.
// A picture whose edges are hard (every pixel fully opaque or fully clear)
// keeps hard edges, so that nothing blends with the colour key around it.
QImage ScalePicture(const QImage& picture, const PictureVariants& variants, double scale);

// Every picture at `scale`, premultiplied for the raster painter; the backdrop
// follows the screen rather than the unit and is scaled by `backdrop_scale`.
PictureTable ScalePictures(const SkinPictures& pictures, double scale, double backdrop_scale);

// The size of `size` skin pixels at `scale`, rounded, never below one pixel
// for something that has a size.
QSize ScaledSize(QSize size, double scale);

}  // namespace tiko
