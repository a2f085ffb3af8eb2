// Writes a PNG of one colour of any size in little time and file: its rows
// are deflated as they are made.
#pragma once

#include <zlib.h>

#include <cstdint>
#include <filesystem>
#include <string>

#include "tests/config/temp_dir.h"

namespace tiko::test {

// A PNG of one colour, written a band of rows at a time: small on disk, as
// large as wanted decoded.
inline void WriteLargePng(const std::filesystem::path& file, std::uint32_t width,
                          std::uint32_t height) {
  std::string png("\x89PNG\r\n\x1a\n", 8);
  auto chunk = [&png](const char* type, const std::string& data) {
    std::string body = std::string(type, 4) + data;
    for (int i = 3; i >= 0; --i) png.push_back(static_cast<char>(data.size() >> (8 * i)));
    png += body;
    uLong crc =
        crc32(0, reinterpret_cast<const Bytef*>(body.data()), static_cast<uInt>(body.size()));
    for (int i = 3; i >= 0; --i) png.push_back(static_cast<char>(crc >> (8 * i)));
  };
  std::string header;
  for (std::uint32_t v : {width, height}) {
    for (int i = 3; i >= 0; --i) header.push_back(static_cast<char>(v >> (8 * i)));
  }
  header += std::string("\x08\x02\x00\x00\x00", 5);  // 8-bit RGB
  chunk("IHDR", header);
  z_stream z{};
  deflateInit(&z, 1);
  const std::string row(1 + 3 * std::size_t{width}, '\0');
  std::string out(1 << 16, '\0');
  std::string idat;
  for (std::uint32_t y = 0; y < height; ++y) {
    z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(row.data()));
    z.avail_in = static_cast<uInt>(row.size());
    const int flush = y + 1 == height ? Z_FINISH : Z_NO_FLUSH;
    do {
      z.next_out = reinterpret_cast<Bytef*>(out.data());
      z.avail_out = static_cast<uInt>(out.size());
      deflate(&z, flush);
      idat.append(out.data(), out.size() - z.avail_out);
    } while (z.avail_out == 0);
  }
  deflateEnd(&z);
  chunk("IDAT", idat);
  chunk("IEND", "");
  WriteFile(file, png);
}

}  // namespace tiko::test
