// Writes a CMYK JPEG the way Adobe programs do (inverted: 255 = no ink), one
// colour all over; Qt cannot write these.
#pragma once

// jpeglib.h needs FILE declared first.
// clang-format off
#include <cstdio>
#include <jpeglib.h>
// clang-format on

#include <cstdlib>
#include <string>
#include <vector>

namespace tiko::test {

inline std::string CmykJpeg(int width, int height, const unsigned char (&cmyk)[4],
                            bool progressive = false) {
  jpeg_compress_struct info{};
  jpeg_error_mgr error{};
  info.err = jpeg_std_error(&error);
  jpeg_create_compress(&info);
  unsigned char* buffer = nullptr;
  unsigned long size = 0;
  jpeg_mem_dest(&info, &buffer, &size);
  info.image_width = static_cast<JDIMENSION>(width);
  info.image_height = static_cast<JDIMENSION>(height);
  info.input_components = 4;
  info.in_color_space = JCS_CMYK;
  jpeg_set_defaults(&info);
  jpeg_set_quality(&info, 100, TRUE);
  if (progressive) jpeg_simple_progression(&info);
  jpeg_start_compress(&info, TRUE);
  std::vector<unsigned char> row(static_cast<std::size_t>(width) * 4);
  for (int x = 0; x < width; ++x) {
    for (int c = 0; c < 4; ++c) row[static_cast<std::size_t>(x) * 4 + c] = cmyk[c];
  }
  while (info.next_scanline < info.image_height) {
    JSAMPROW line = row.data();
    jpeg_write_scanlines(&info, &line, 1);
  }
  jpeg_finish_compress(&info);
  jpeg_destroy_compress(&info);
  std::string data(reinterpret_cast<const char*>(buffer), size);
  std::free(buffer);
  return data;
}

}  // namespace tiko::test
