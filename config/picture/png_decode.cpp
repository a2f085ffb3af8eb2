// PNG through libpng's full interface (png_reader.c): samples as stored, 16
// bits scaled to 8, palettes, tRNS, grey and interlacing expanded.
#include <png.h>

#include <QtEndian>
#include <algorithm>
#include <cstdint>
#include <memory>
#include <string>

#include "config/picture/picture.h"
#include "config/picture/png_reader.h"
#include "engine/ports.h"

namespace tiko {

namespace {

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

struct ReaderCloser {
  void operator()(tiko_png_reader* reader) const { tiko_png_close(reader); }
};

[[noreturn]] void Fail(const tiko_png_reader* reader) {
  std::string reason = tiko_png_message(reader);
  throw UnitError("invalid PNG data (" + (reason.empty() ? "unknown error" : reason) + ")");
}

}  // namespace

QImage DecodePng(std::span<const unsigned char> data, const PictureLimits& limits) {
  CheckChunkLengths(data);
  std::unique_ptr<tiko_png_reader, ReaderCloser> reader(tiko_png_open(data.data(), data.size()));
  if (!reader) throw UnitError("not enough memory for the PNG decoder");
  unsigned width = 0, height = 0;
  int alpha = 0;
  if (!tiko_png_read_header(reader.get(), &width, &height)) Fail(reader.get());
  picture_detail::CheckSize("PNG", width, height, limits);
  if (!tiko_png_prepare(reader.get(), &alpha)) Fail(reader.get());
  // Bytes B, G, R, A in memory are QImage's 32-bit ARGB on a little-endian machine.
  static_assert(Q_BYTE_ORDER == Q_LITTLE_ENDIAN);
  QImage picture(static_cast<int>(width), static_cast<int>(height),
                 alpha ? QImage::Format_ARGB32 : QImage::Format_RGB32);
  if (picture.isNull()) throw UnitError("not enough memory for the PNG picture");
  if (!tiko_png_read_pixels(reader.get(), picture.bits(),
                            static_cast<std::size_t>(picture.bytesPerLine()))) {
    Fail(reader.get());
  }
  return picture;
}

}  // namespace tiko
