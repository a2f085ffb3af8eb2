#include "tools/skin_gen/png_file.h"

#include <png.h>

#include <csetjmp>
#include <cstdio>
#include <vector>

namespace skin_gen {

namespace {

// libpng reports errors by longjmp: nothing here has a destructor to skip.
bool WriteRows(std::FILE* file, png_bytepp lines, png_uint_32 width, png_uint_32 height,
               bool alpha) {
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png ? png_create_info_struct(png) : nullptr;
  if (info == nullptr) {
    png_destroy_write_struct(&png, nullptr);
    return false;
  }
  if (setjmp(png_jmpbuf(png))) {
    png_destroy_write_struct(&png, &info);
    return false;
  }
  png_init_io(png, file);
  png_set_filter(png, PNG_FILTER_TYPE_BASE, PNG_FILTER_NONE);
  png_set_compression_level(png, 9);
  png_set_IHDR(png, info, width, height, 8, alpha ? PNG_COLOR_TYPE_RGB_ALPHA : PNG_COLOR_TYPE_RGB,
               PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_BASE, PNG_FILTER_TYPE_BASE);
  png_write_info(png, info);
  png_write_rows(png, lines, height);
  png_write_end(png, info);
  png_destroy_write_struct(&png, &info);
  return true;
}

}  // namespace

bool SavePng(const QImage& picture, const QString& path) {
  const bool alpha = picture.hasAlphaChannel();
  QImage rows = picture.convertToFormat(alpha ? QImage::Format_RGBA8888 : QImage::Format_RGB888);
  if (rows.isNull()) return false;
  std::vector<png_bytep> lines(static_cast<std::size_t>(rows.height()));
  for (int y = 0; y < rows.height(); ++y) lines[static_cast<std::size_t>(y)] = rows.scanLine(y);
  std::FILE* file = std::fopen(path.toLocal8Bit().constData(), "wb");
  if (file == nullptr) return false;
  const bool written = WriteRows(file, lines.data(), static_cast<png_uint_32>(rows.width()),
                                 static_cast<png_uint_32>(rows.height()), alpha) &&
                       !std::ferror(file);
  return std::fclose(file) == 0 && written;
}

}  // namespace skin_gen
