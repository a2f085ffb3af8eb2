#include <QtEndian>
#include <algorithm>
#include <cstdint>
#include <memory>
#include <string>

#include "config/picture/jpeg_reader.h"
#include "config/picture/picture.h"
#include "engine/ports.h"

namespace tiko {

namespace {

struct ReaderCloser {
  void operator()(tiko_jpeg_reader* reader) const { tiko_jpeg_close(reader); }
};

[[noreturn]] void Fail(const tiko_jpeg_reader* reader) {
  throw UnitError(std::string("invalid JPEG data (") + tiko_jpeg_message(reader) + ")");
}

// Adobe writes CMYK inverted (255 = no ink), which is what libjpeg hands back.
void CmykToRgb(QImage& picture) {
  for (int y = 0; y < picture.height(); ++y) {
    uchar* p = picture.scanLine(y);
    auto* out = reinterpret_cast<QRgb*>(p);
    for (int x = 0; x < picture.width(); ++x, p += 4) {
      int c = p[0], m = p[1], yellow = p[2], k = p[3];
      out[x] = qRgb(c * k / 255, m * k / 255, yellow * k / 255);
    }
  }
}

}  // namespace

QImage DecodeJpeg(std::span<const unsigned char> data, const PictureLimits& limits) {
  constexpr std::int64_t kLeastWork = std::int64_t{16} << 20;  // a row of blocks of any picture
  std::unique_ptr<tiko_jpeg_reader, ReaderCloser> reader(
      tiko_jpeg_open(data.data(), data.size(),
                     static_cast<std::size_t>(std::max(kLeastWork, limits.max_decode_bytes))));
  if (!reader) throw UnitError("not enough memory for the JPEG decoder");

  int width = 0, height = 0, components = 0, multi_scan = 0, cmyk = 0;
  if (!tiko_jpeg_read_header(reader.get(), &width, &height, &components, &multi_scan, &cmyk)) {
    Fail(reader.get());
  }
  picture_detail::CheckSize("JPEG", width, height, limits);
  // A picture in several scans keeps 2 bytes a sample of every component
  // until its last scan: a few hundred bytes can ask for gigabytes.
  const std::int64_t picture_bytes = std::int64_t{width} * height * 4;
  const std::int64_t work = multi_scan ? std::int64_t{width} * height * components * 2 : 0;
  if (picture_bytes + work > limits.max_decode_bytes) {
    throw PictureTooLarge("the JPEG picture's size " + std::to_string(width) + " x " +
                              std::to_string(height) + " in " + std::to_string(components) +
                              " components needs more memory to decode than the program gives it",
                          width, height);
  }
  tiko_jpeg_limit_memory(reader.get(), static_cast<std::size_t>(std::max(
                                           kLeastWork, limits.max_decode_bytes - picture_bytes)));

  QImage picture(width, height, QImage::Format_RGB32);
  if (picture.isNull()) throw UnitError("not enough memory for the JPEG picture");
  if (!tiko_jpeg_read_pixels(reader.get(), picture.bits(),
                             static_cast<std::size_t>(picture.bytesPerLine()))) {
    Fail(reader.get());
  }
  if (cmyk) CmykToRgb(picture);
  return picture;
}

}  // namespace tiko
