// Writes small valid PNG files of every colour type Qt can store, as the
// fuzzer's starting corpus.
#include <QDir>
#include <QImage>
#include <QString>
#include <cstdio>

namespace {

QImage Sample(QImage::Format format) {
  QImage picture(7, 5, QImage::Format_ARGB32);
  for (int y = 0; y < picture.height(); ++y) {
    for (int x = 0; x < picture.width(); ++x) {
      picture.setPixel(x, y, qRgba(x * 36, y * 50, (x + y) * 20, 255 - x * 30));
    }
  }
  return picture.convertToFormat(format);
}

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
      {"rgb.png", QImage::Format_RGB32},          {"rgba.png", QImage::Format_ARGB32},
      {"palette.png", QImage::Format_Indexed8},   {"gray.png", QImage::Format_Grayscale8},
      {"gray16.png", QImage::Format_Grayscale16}, {"rgba64.png", QImage::Format_RGBA64},
      {"mono.png", QImage::Format_Mono},
  };
  for (const auto& kind : kinds) {
    if (!Sample(kind.format).save(dir.filePath(kind.name), "png")) return 1;
  }
  return 0;
}
