// BMP forms that no encoder at hand writes: headers of 56 and 108 bytes, masks
// after a 40-byte header, rows from the top, RLE4 with its moves, and damage.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "config/picture/picture.h"
#include "engine/ports.h"

namespace tiko {
namespace {

struct BmpSpec {
  std::uint32_t header_size = 40;
  std::int32_t width = 2;
  std::int32_t height = 2;  // negative: rows from the top
  std::uint16_t bpp = 24;
  std::uint32_t compression = 0;
  std::vector<std::uint32_t> masks;  // in the header from 52 bytes on, else after it
  std::vector<std::uint32_t> palette;
  std::string pixels;
};

BmpSpec Spec(std::uint32_t header_size, std::int32_t width, std::int32_t height, std::uint16_t bpp,
             std::uint32_t compression) {
  BmpSpec spec;
  spec.header_size = header_size;
  spec.width = width;
  spec.height = height;
  spec.bpp = bpp;
  spec.compression = compression;
  return spec;
}

void Put(std::string& s, std::size_t at, std::uint32_t v, int bytes) {
  if (s.size() < at + bytes) s.resize(at + bytes, '\0');
  for (int i = 0; i < bytes; ++i) s[at + i] = static_cast<char>(v >> (8 * i));
}

std::string MakeBmp(const BmpSpec& spec) {
  std::string b = "BM";
  Put(b, 14, spec.header_size, 4);
  Put(b, 18, static_cast<std::uint32_t>(spec.width), 4);
  Put(b, 22, static_cast<std::uint32_t>(spec.height), 4);
  Put(b, 26, 1, 2);
  Put(b, 28, spec.bpp, 2);
  Put(b, 30, spec.compression, 4);
  Put(b, 46, static_cast<std::uint32_t>(spec.palette.size()), 4);
  b.resize(14 + spec.header_size, '\0');
  std::size_t at = spec.header_size >= 52 ? 54 : b.size();
  for (std::uint32_t mask : spec.masks) {
    Put(b, at, mask, 4);
    at += 4;
  }
  for (std::uint32_t colour : spec.palette) Put(b, b.size(), colour, 4);
  Put(b, 10, static_cast<std::uint32_t>(b.size()), 4);
  return b + spec.pixels;
}

QImage Decode(const std::string& bmp) {
  return DecodeBmp({reinterpret_cast<const unsigned char*>(bmp.data()), bmp.size()});
}

std::string Words16(std::initializer_list<std::uint16_t> words) {
  std::string s;
  for (std::uint16_t w : words) Put(s, s.size(), w, 2);
  return s;
}

TEST(Bmp, BitMasksInEveryHeaderPlaceSpreadOverTheFullRange) {
  // 5-6-5 from the top, in a 56-byte header: 31 and 63 are 255, 16 and 32 are 132 and 130.
  BmpSpec v3 = Spec(56, 2, -2, 16, 3);
  v3.masks = {0xF800, 0x07E0, 0x001F};
  v3.pixels = Words16({0xF800, 0x07E0, 0x001F, 0x8410});
  QImage p = Decode(MakeBmp(v3));
  EXPECT_EQ(p.format(), QImage::Format_RGB32);
  EXPECT_EQ(p.pixel(0, 0), qRgb(255, 0, 0));
  EXPECT_EQ(p.pixel(1, 0), qRgb(0, 255, 0));
  EXPECT_EQ(p.pixel(0, 1), qRgb(0, 0, 255));
  EXPECT_EQ(p.pixel(1, 1), qRgb(132, 130, 132));

  // The same masks after a 40-byte header (bottom row first in the file).
  BmpSpec after = v3;
  after.header_size = 40;
  after.height = 2;
  EXPECT_EQ(Decode(MakeBmp(after)).pixel(0, 1), qRgb(255, 0, 0));
  // Four masks after the header with compression 6; the alpha mask counts for nothing.
  BmpSpec alpha = Spec(40, 2, 2, 32, 6);
  alpha.masks = {0x0000FF00, 0x00FF0000, 0xFF000000, 0x000000FF};
  alpha.pixels = std::string("\x00\x30\x20\x10\x7f\x01\x02\x03", 8) + std::string(8, '\0');
  QImage a = Decode(MakeBmp(alpha));
  EXPECT_EQ(a.pixel(0, 1), qRgb(0x30, 0x20, 0x10));
  EXPECT_EQ(a.pixel(1, 1), qRgb(0x01, 0x02, 0x03));
}

TEST(Bmp, FourthByteOf32BitPixelsIsNotAlpha) {
  // A 108-byte header, no masks: the default 32-bit layout B G R x.
  BmpSpec v4 = Spec(108, 1, 1, 32, 0);
  v4.pixels = std::string("\x10\x20\x30\x00", 4);
  QImage p = Decode(MakeBmp(v4));
  EXPECT_EQ(p.format(), QImage::Format_RGB32);
  EXPECT_EQ(p.pixel(0, 0), qRgb(0x30, 0x20, 0x10));
  // 16 bits without masks: 5-5-5.
  BmpSpec rgb555 = Spec(40, 1, 1, 16, 0);
  rgb555.pixels = Words16({0x7FFF, 0});
  EXPECT_EQ(Decode(MakeBmp(rgb555)).pixel(0, 0), qRgb(255, 255, 255));
}

TEST(Bmp, RunLengthDataWithMovesAndAbsoluteRuns) {
  // RLE4, 5 x 3, bottom row first: a run of alternating nibbles, an absolute
  // run of three, a move right and up, and pixels skipped by it stay black.
  BmpSpec rle = Spec(40, 5, 3, 4, 2);
  rle.palette = {0x000000, 0xFF0000, 0x00FF00, 0x0000FF};
  rle.pixels = std::string(
      "\x05\x12"          // row 2 (bottom): 1 2 1 2 1
      "\x00\x00"          // end of row
      "\x00\x03\x32\x10"  // row 1: absolute 3 2 1, padded to a word
      "\x00\x02\x01\x01"  // move 1 right, 1 up: row 0 at x = 4
      "\x01\x30"          // one pixel of 3
      "\x00\x01",         // end of picture
      16);
  QImage p = Decode(MakeBmp(rle));
  const QRgb k = qRgb(0, 0, 0), r = qRgb(255, 0, 0), g = qRgb(0, 255, 0), b = qRgb(0, 0, 255);
  const QRgb expected[3][5] = {{k, k, k, k, b}, {b, g, r, k, k}, {r, g, r, g, r}};
  for (int y = 0; y < 3; ++y) {
    for (int x = 0; x < 5; ++x) EXPECT_EQ(p.pixel(x, y), expected[y][x]) << x << "," << y;
  }
}

// Moves and runs that reach past the row or the picture stop there: the column
// stays in the row however many moves add up, and nothing lands outside.
TEST(Bmp, RunLengthMovesAndRunsStopAtTheRowsEnd) {
  const QRgb k = qRgb(0, 0, 0), r = qRgb(255, 0, 0), b = qRgb(0, 0, 255);
  BmpSpec spec = Spec(40, 3, 2, 8, 1);
  spec.palette = {0x000000, 0xFF0000, 0x0000FF};
  // Moves 255 right, 2^31 / 255 of them: a column counted without a bound
  // wraps negative and the run after them lands before the row.
  std::string moves;
  moves.reserve(std::size_t{4} * 8421505 + 16);
  for (int i = 0; i < 8421505; ++i) moves.append("\x00\x02\xff\x00", 4);
  spec.pixels = moves + std::string("\x02\x01\x00\x00\x03\x02\x00\x01", 8);
  QImage wrapped = Decode(MakeBmp(spec));
  EXPECT_EQ(wrapped.pixel(0, 1), k);
  EXPECT_EQ(wrapped.pixel(2, 1), k);
  EXPECT_EQ(wrapped.pixel(0, 0), b);
  EXPECT_EQ(wrapped.pixel(2, 0), b);
  spec.pixels.clear();
  spec.pixels.shrink_to_fit();

  // A run and an absolute run longer than the row, the absolute one then
  // read past in whole: the next row starts right.
  spec.pixels = std::string(
      "\x09\x01"                          // row 1: nine pixels of 1 in a row of three
      "\x00\x00"                          // end of row
      "\x00\x05\x02\x01\x02\x01\x02\x00"  // row 0: five as they are, padded
      "\x01\x01\x00\x01",                 // a pixel past the row; end of picture
      16);
  QImage runs = Decode(MakeBmp(spec));
  const QRgb expected[2][3] = {{b, r, b}, {r, r, r}};
  for (int y = 0; y < 2; ++y) {
    for (int x = 0; x < 3; ++x) EXPECT_EQ(runs.pixel(x, y), expected[y][x]) << x << "," << y;
  }

  // A move past the last row ends the picture: what follows is not drawn.
  spec.pixels = std::string("\x01\x02\x00\x02\x00\x09\x03\x01\x00\x00\x03\x01", 12);
  QImage up = Decode(MakeBmp(spec));
  EXPECT_EQ(up.pixel(0, 1), b);
  for (int x = 0; x < 3; ++x) EXPECT_EQ(up.pixel(x, 0), k) << x;
  // RLE4 the same way: an absolute run of seven in a row of three.
  BmpSpec four = Spec(40, 3, 1, 4, 2);
  four.palette = {0x000000, 0xFF0000, 0x0000FF};
  four.pixels = std::string("\x00\x07\x12\x12\x12\x10\x00\x01", 8);
  QImage nibbles = Decode(MakeBmp(four));
  EXPECT_EQ(nibbles.pixel(0, 0), r);
  EXPECT_EQ(nibbles.pixel(1, 0), b);
  EXPECT_EQ(nibbles.pixel(2, 0), r);
}

TEST(Bmp, DamageIsAnErrorOrACutNeverACrash) {
  auto error_of = [](const std::string& bmp) -> std::string {
    try {
      Decode(bmp);
    } catch (const UnitError& e) {
      return e.what();
    }
    return "";
  };
  BmpSpec rows = Spec(40, 4, 4, 24, 0);
  rows.pixels = std::string(40, '\x7f');  // rows 4 x 12 bytes needed
  EXPECT_NE(error_of(MakeBmp(rows)).find("ends too soon"), std::string::npos);
  BmpSpec top_down_rle = Spec(40, 2, -2, 8, 1);
  EXPECT_NE(error_of(MakeBmp(top_down_rle)), "");
  BmpSpec odd_bits = Spec(40, 2, 2, 7, 0);
  EXPECT_NE(error_of(MakeBmp(odd_bits)).find("7 bits"), std::string::npos);
  EXPECT_NE(error_of("BM" + std::string(12, '\0') + "\x05"), "");
  // Run-length data that runs past its rows and the picture is cut off there.
  BmpSpec overrun = Spec(40, 2, 1, 8, 1);
  overrun.palette = {0x0000FF};
  overrun.pixels = std::string("\xff\x00\x00\x02\xff\xff\x05\x00\x00\x00", 10);
  EXPECT_EQ(Decode(MakeBmp(overrun)).pixel(1, 0), qRgb(0, 0, 255));
  // A palette shorter than the indices used: the rest is black.
  BmpSpec short_palette = Spec(40, 1, 1, 8, 0);
  short_palette.palette = {0xFFFFFF};
  short_palette.pixels = std::string("\x09\0\0\0", 4);
  EXPECT_EQ(Decode(MakeBmp(short_palette)).pixel(0, 0), qRgb(0, 0, 0));
}

}  // namespace
}  // namespace tiko
