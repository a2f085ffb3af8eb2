// PNG through libpng's simplified reader: libpng keeps its error jumps inside
// its own frames and hands back a message, so no jump crosses C++ code.
#include <png.h>

#include <QtEndian>

#include "config/picture/picture.h"
#include "engine/ports.h"

namespace tiko {

namespace {

struct ImageCloser {
  png_image* image;
  ~ImageCloser() { png_image_free(image); }
};

[[noreturn]] void Fail(const png_image& image) {
  std::string reason = image.message[0] ? image.message : "unknown error";
  throw UnitError("invalid PNG data (" + reason + ")");
}

}  // namespace

QImage DecodePng(std::span<const unsigned char> data, const PictureLimits& limits) {
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  ImageCloser closer{&image};
  if (!png_image_begin_read_from_memory(&image, data.data(), data.size())) Fail(image);
  picture_detail::CheckSize("PNG", image.width, image.height, limits);

  // Bytes B, G, R, A in memory are QImage's 32-bit ARGB on a little-endian machine.
  bool alpha = (image.format & PNG_FORMAT_FLAG_ALPHA) != 0;
  image.format = (Q_BYTE_ORDER == Q_LITTLE_ENDIAN) ? PNG_FORMAT_BGRA : PNG_FORMAT_ARGB;
  QImage picture(static_cast<int>(image.width), static_cast<int>(image.height),
                 alpha ? QImage::Format_ARGB32 : QImage::Format_RGB32);
  if (picture.isNull()) throw UnitError("not enough memory for the PNG picture");
  // The stride counts components, one byte each here.
  auto stride = static_cast<png_int_32>(picture.bytesPerLine());
  if (!png_image_finish_read(&image, nullptr, picture.bits(), stride, nullptr)) Fail(image);
  return picture;
}

}  // namespace tiko
