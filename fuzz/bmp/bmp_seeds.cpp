// Writes small valid BMP files of the depths Qt stores as the fuzzer's
// starting corpus, plus a 4-bit run-length one made by hand.
#include <QDir>
#include <QFile>
#include <QImage>
#include <QString>
#include <cstdio>

namespace {

QImage Sample(QImage::Format format) {
  QImage picture(9, 6, QImage::Format_ARGB32);
  for (int y = 0; y < picture.height(); ++y) {
    for (int x = 0; x < picture.width(); ++x) {
      picture.setPixel(x, y, qRgba(x * 28, y * 40, 200 - x * 20, 128 + y * 20));
    }
  }
  return picture.convertToFormat(format);
}

// 4 x 2, 4 bits a pixel, run-length coded, two palette entries.
const unsigned char
    kRle4[] =
        {
            'B',  'M',  0x52, 0,    0,    0,    0, 0, 0,    0,    0x3E, 0, 0, 0,  // file header
            40,   0,    0,    0,    4,    0,    0, 0, 2,    0,    0,    0, 1, 0,
            4,    0,    2,    0,    0,    0,  // info header
            0x14, 0,    0,    0,    0x13, 0x0B, 0, 0, 0x13, 0x0B, 0,    0, 2, 0,
            0,    0,    0,    0,    0,    0,    0, 0, 0xFF, 0,    0xFF, 0, 0, 0,  // palette
            4,    0x01, 0,    0,                                                  // run, end of row
            0,    4,    0x10, 0x01, 0,    0,    0, 1,                             // literal, end
            0,    0,    0,    0,    0,    0,    0, 0,
};

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s OUTPUT_DIR\n", argv[0]);
    return 2;
  }
  QDir dir(QString::fromLocal8Bit(argv[1]));
  dir.mkpath(".");
  const struct {
    const char* name;
    QImage::Format format;
  } kinds[] = {
      {"rgb24.bmp", QImage::Format_RGB32},
      {"argb32.bmp", QImage::Format_ARGB32},
      {"palette8.bmp", QImage::Format_Indexed8},
      {"mono.bmp", QImage::Format_Mono},
  };
  for (const auto& kind : kinds) {
    if (!Sample(kind.format).save(dir.filePath(kind.name), "bmp")) return 1;
  }
  QFile rle(dir.filePath("rle4.bmp"));
  if (!rle.open(QIODevice::WriteOnly)) return 1;
  rle.write(reinterpret_cast<const char*>(kRle4), sizeof kRle4);
  return 0;
}
