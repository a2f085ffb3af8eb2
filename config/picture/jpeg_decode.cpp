#include <QtEndian>
#include <memory>

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
  // Room for the decoder's own buffers of the largest picture allowed.
  auto max_memory = static_cast<std::size_t>(limits.max_pixels) * 8 + (std::size_t{16} << 20);
  std::unique_ptr<tiko_jpeg_reader, ReaderCloser> reader(
      tiko_jpeg_open(data.data(), data.size(), max_memory));
  if (!reader) throw UnitError("not enough memory for the JPEG decoder");

  int width = 0, height = 0, cmyk = 0;
  if (!tiko_jpeg_read_header(reader.get(), &width, &height, &cmyk)) Fail(reader.get());
  picture_detail::CheckSize("JPEG", width, height, limits);

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
