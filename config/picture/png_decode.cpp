// PNG through libpng's simplified reader: libpng keeps its error jumps inside
// its own frames and hands back a message, so no jump crosses C++ code.
#include <png.h>

#include <QtEndian>
#include <algorithm>
#include <cstdint>

#include "config/picture/picture.h"
#include "engine/ports.h"

namespace tiko {

namespace {

struct ImageCloser {
  png_image* image;
  ~ImageCloser() { png_image_free(image); }
};

// libpng takes a chunk's memory by the length the chunk declares before it
// reads the data; a few bytes can declare gigabytes. In a file read whole, no
// chunk can be longer than what is left of it, so such a file is refused first.
void CheckChunkLengths(std::span<const unsigned char> data) {
  static constexpr unsigned char kSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  if (data.size() < 8 || !std::equal(kSignature, kSignature + 8, data.begin())) return;
  std::size_t at = 8;
  while (data.size() - at >= 8) {
    std::uint32_t length = png_get_uint_32(data.data() + at);
    bool last = std::equal(data.begin() + at + 4, data.begin() + at + 8, "IEND");
    if (length > data.size() - at - 8 || data.size() - at - 8 - length < 4) {
      throw UnitError("invalid PNG data (a chunk runs past the end of the file)");
    }
    if (last) return;
    at += 12 + length;
  }
}

[[noreturn]] void Fail(const png_image& image) {
  std::string reason = image.message[0] ? image.message : "unknown error";
  throw UnitError("invalid PNG data (" + reason + ")");
}

}  // namespace

QImage DecodePng(std::span<const unsigned char> data, const PictureLimits& limits) {
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  ImageCloser closer{&image};
  CheckChunkLengths(data);
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
