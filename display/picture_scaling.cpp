#include "display/picture_scaling.h"

#include <cmath>

#include "config/picture/picture.h"
#include "engine/ports.h"

namespace tiko {

namespace {

bool HardEdged(const QImage& picture) {
  if (!picture.hasAlphaChannel()) return true;
  // Alpha reads the same premultiplied, as skin pictures are kept: no copy.
  const QImage image = picture.format() == QImage::Format_ARGB32_Premultiplied
                           ? picture
                           : picture.convertToFormat(QImage::Format_ARGB32);
  for (int y = 0; y < image.height(); ++y) {
    const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
    for (int x = 0; x < image.width(); ++x) {
      const int alpha = qAlpha(line[x]);
      if (alpha != 0 && alpha != 255) return false;
    }
  }
  return true;
}

// Every pixel fully opaque (its colour kept) or fully clear.
// Works on the premultiplied picture in place, as it is drawn.
void Harden(QImage& image) {
  image.convertTo(QImage::Format_ARGB32_Premultiplied);
  for (int y = 0; y < image.height(); ++y) {
    auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
    for (int x = 0; x < image.width(); ++x) {
      const QRgb p = line[x];
      line[x] = qAlpha(p) >= 128 ? (qUnpremultiply(p) | 0xff000000u) : 0;
    }
  }
}

// The variant file, decoded, or a null image when it does not serve. Its
// size is read from its header first: one of another size is never decoded.
QImage LoadVariant(const std::filesystem::path& file, QSize expected) {
  if (file.empty() || PictureFileSize(file) != expected) return {};
  try {
    PictureLimits limits;
    limits.max_pixels = std::int64_t{expected.width()} * expected.height();
    limits.max_decode_bytes = PictureBytes(expected);
    QImage image = LoadPicture(file, limits);
    return image.size() == expected ? image : QImage();
  } catch (const UnitError&) {
    return {};
  }
}

// The variant file that serves `picture` at `scale`, if one does, with the
// size it must have.
std::filesystem::path ServingVariant(const QImage& picture, const PictureVariants& variants,
                                     double scale, QSize& size) {
  switch (VariantFor(scale, variants)) {
    case 3:
      size = picture.size() * 3;
      if (PictureFileSize(variants.at3x) == size) return variants.at3x;
      [[fallthrough]];
    case 2:
      size = picture.size() * 2;
      if (!variants.at2x.empty() && PictureFileSize(variants.at2x) == size) return variants.at2x;
      [[fallthrough]];
    default:
      return {};
  }
}

}  // namespace

int VariantFor(double scale, const PictureVariants& variants) {
  if (scale <= 1.0) return 1;
  if (scale <= 2.0 && !variants.at2x.empty()) return 2;
  if (!variants.at3x.empty()) return 3;
  return variants.at2x.empty() ? 1 : 2;
}

QSize ScaledSize(QSize size, double scale) {
  if (size.isEmpty()) return size;
  return QSize(std::max(1, static_cast<int>(std::lround(size.width() * scale))),
               std::max(1, static_cast<int>(std::lround(size.height() * scale))));
}

QImage ScalePicture(const QImage& picture, const PictureVariants& variants, double scale) {
  if (picture.isNull()) return {};
  if (scale == 1.0) return picture;
  QSize variant_size;
  const std::filesystem::path variant = ServingVariant(picture, variants, scale, variant_size);
  QImage source = LoadVariant(variant, variant_size);
  if (source.isNull()) source = picture;
  const QSize target = ScaledSize(picture.size(), scale);
  // Area-averaging on the way down, bilinear on the way up; premultiplied so
  // that clear pixels lend no colour to their neighbours. A decoded variant
  // is converted in place.
  QImage scaled = std::move(source);
  scaled.convertTo(QImage::Format_ARGB32_Premultiplied);
  if (scaled.size() != target) {
    scaled = scaled.scaled(target, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
  }
  if (HardEdged(picture)) Harden(scaled);
  return scaled;
}

std::int64_t ScaleCost(const QImage& picture, const PictureVariants& variants, double scale) {
  if (picture.isNull() || scale == 1.0) return 0;
  QSize variant_size;
  const bool from_variant = !ServingVariant(picture, variants, scale, variant_size).empty();
  return PictureBytes(ScaledSize(picture.size(), scale)) +
         (from_variant ? PictureBytes(variant_size) : 0);
}

ScaledPictures ScalePictures(const SkinPictures& pictures, double scale, double backdrop_scale,
                             std::int64_t budget) {
  ScaledPictures out;
  std::int64_t left = budget;
  for (const QImage& picture : pictures.picture) left -= picture.sizeInBytes();
  for (int id = 0; id < kImageEnd; ++id) {
    const double s = id == im_backdrop ? backdrop_scale : scale;
    const QImage& picture = pictures.picture[id];
    if (picture.isNull()) continue;
    const PictureVariants& variants = pictures.variants[id];
    QImage scaled;
    if (out.first_left_out == kNoImage && ScaleCost(picture, variants, s) <= left) {
      scaled = ScalePicture(picture, variants, s);
      if (s != 1.0) left -= scaled.sizeInBytes();
    } else {
      if (out.first_left_out == kNoImage) out.first_left_out = static_cast<ImageId>(id);
      scaled = ScalePicture(PlaceholderPicture(), {}, s);
    }
    out.table[id] = scaled.convertToFormat(QImage::Format_ARGB32_Premultiplied);
  }
  return out;
}

}  // namespace tiko
