// The skin's pictures at the scale they are drawn: from the smallest variant
// at or above that scale, reduced by area-averaging, once per scale change.
#pragma once

#include <QImage>
#include <cstdint>

#include "config/skin/picture_budget.h"
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

// The memory ScalePicture takes at its peak for a picture at `scale`: the
// copy it makes, and the variant it decodes for it; 0 at 1, where the
// picture itself is drawn. Variants are judged by their headers alone.
std::int64_t ScaleCost(const QImage& picture, const PictureVariants& variants, double scale);

struct ScaledPictures {
  PictureTable table;
  // The first picture, in image order, whose copy did not fit in the budget;
  // it and every picture after it are placeholders. kNoImage: none.
  ImageId first_left_out = kNoImage;
};

// Every picture at `scale`, premultiplied for the raster painter; the backdrop
// follows the screen rather than the unit and is scaled by `backdrop_scale`.
// The copies made count against `budget` together with the pictures at 100 %
// (kSkinPictureBudget: the loader's budget goes on here).
ScaledPictures ScalePictures(const SkinPictures& pictures, double scale, double backdrop_scale,
                             std::int64_t budget = kSkinPictureBudget);

// The size of `size` skin pixels at `scale`, rounded, never below one pixel
// for something that has a size.
QSize ScaledSize(QSize size, double scale);

}  // namespace tiko
