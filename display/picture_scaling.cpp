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

// The variant file, decoded, or a null image when it does not serve.
QImage LoadVariant(const std::filesystem::path& file, QSize expected) {
  if (file.empty()) return {};
  try {
    QImage image = LoadPicture(file);
    return image.size() == expected ? image : QImage();
  } catch (const UnitError&) {
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
  QImage source;
  switch (VariantFor(scale, variants)) {
    case 3:
      source = LoadVariant(variants.at3x, picture.size() * 3);
      if (!source.isNull()) break;
      [[fallthrough]];
    case 2:
      source = LoadVariant(variants.at2x, picture.size() * 2);
      break;
    default:
      break;
  }
  if (source.isNull()) source = picture;
  const QSize target = ScaledSize(picture.size(), scale);
  // Area-averaging on the way down, bilinear on the way up; premultiplied so
  // that clear pixels lend no colour to their neighbours.
  QImage scaled = source.convertToFormat(QImage::Format_ARGB32_Premultiplied);
  if (scaled.size() != target) {
    scaled = scaled.scaled(target, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
  }
  if (HardEdged(picture)) Harden(scaled);
  return scaled;
}

PictureTable ScalePictures(const SkinPictures& pictures, double scale, double backdrop_scale) {
  PictureTable table;
  for (int id = 0; id < kImageEnd; ++id) {
    const double s = id == im_backdrop ? backdrop_scale : scale;
    table[id] = ScalePicture(pictures.picture[id], pictures.variants[id], s)
                    .convertToFormat(QImage::Format_ARGB32_Premultiplied);
  }
  return table;
}

}  // namespace tiko
