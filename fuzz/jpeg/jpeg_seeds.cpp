// Writes small valid JPEG files (colour, grey, CMYK, progressive, several qualities)
// as the fuzzer's starting corpus.
#include <QDir>
#include <QFile>
#include <QImage>
#include <QImageWriter>
#include <QString>
#include <cstdio>

#include "tests/config/cmyk_jpeg.h"

namespace {

QImage Sample() {
  QImage picture(19, 13, QImage::Format_RGB32);
  for (int y = 0; y < picture.height(); ++y) {
    for (int x = 0; x < picture.width(); ++x) {
      picture.setPixel(x, y, qRgb(x * 13, y * 19, (x * y) % 256));
    }
  }
  return picture;
}

bool Write(const QDir& dir, const char* name, const QImage& picture, int quality, bool progressive,
           bool optimized) {
  QImageWriter writer(dir.filePath(name), "jpeg");
  writer.setQuality(quality);
  writer.setProgressiveScanWrite(progressive);
  writer.setOptimizedWrite(optimized);
  return writer.write(picture);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s OUTPUT_DIR\n", argv[0]);
    return 2;
  }
  QDir dir(QString::fromLocal8Bit(argv[1]));
  dir.mkpath(".");
  QImage colour = Sample();
  QImage grey = colour.convertToFormat(QImage::Format_Grayscale8);
  bool ok = Write(dir, "baseline.jpg", colour, 75, false, false) &&
            Write(dir, "fine.jpg", colour, 100, false, true) &&
            Write(dir, "coarse.jpg", colour, 5, false, false) &&
            Write(dir, "progressive.jpg", colour, 80, true, false) &&
            Write(dir, "grey.jpg", grey, 75, false, false) &&
            Write(dir, "grey-progressive.jpg", grey, 60, true, true);
  const unsigned char teal[4] = {40, 200, 180, 230};
  std::string cmyk = tiko::test::CmykJpeg(11, 9, teal);
  QFile cmyk_file(dir.filePath("cmyk.jpg"));
  ok = ok && cmyk_file.open(QIODevice::WriteOnly) &&
       cmyk_file.write(cmyk.data(), static_cast<qint64>(cmyk.size())) ==
           static_cast<qint64>(cmyk.size());
  return ok ? 0 : 1;
}
