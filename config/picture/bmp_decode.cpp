// BMP read from the format's own description, to draw as Windows draws it:
// every header Windows writes (OS/2 core 12 bytes, 40, 52, 56, 108, 124), 1, 4
// and 8 bits through the palette, RLE8 and RLE4, 16 and 32 bits through bit
// masks, 24 bits, bottom-up and top-down rows. Channels of fewer than 8 bits
// spread over the full 0..255 by repeating their bits (5-bit 31 is 255), and
// the fourth byte of 32-bit pixels is not alpha: Windows' bitmap drawing
// ignores it, so every BMP is opaque.
#include <algorithm>
#include <array>
#include <bit>
#include <cstdint>
#include <string>
#include <vector>

#include "config/picture/picture.h"
#include "engine/ports.h"

namespace tiko {

namespace {

enum Compression : std::uint32_t {
  kRgb = 0,
  kRle8 = 1,
  kRle4 = 2,
  kBitFields = 3,
  kAlphaBitFields = 6
};

[[noreturn]] void Invalid(const std::string& why) {
  throw UnitError("invalid BMP data (" + why + ")");
}

class Bytes {
 public:
  explicit Bytes(std::span<const unsigned char> data) : data_(data) {}
  bool Has(std::size_t at, std::size_t n) const {
    return at <= data_.size() && n <= data_.size() - at;
  }
  std::uint32_t U8(std::size_t at) const { return Has(at, 1) ? data_[at] : 0; }
  std::uint32_t U16(std::size_t at) const { return U8(at) | U8(at + 1) << 8; }
  std::uint32_t U32(std::size_t at) const { return U16(at) | U16(at + 2) << 16; }
  std::int32_t S32(std::size_t at) const { return static_cast<std::int32_t>(U32(at)); }
  std::size_t size() const { return data_.size(); }

 private:
  std::span<const unsigned char> data_;
};

// One colour channel under a bit mask, spread to 0..255.
struct Channel {
  int shift = 0;
  int bits = 0;

  explicit Channel(std::uint32_t mask = 0) {
    if (mask == 0) return;
    shift = std::countr_zero(mask);
    bits = std::countr_one(mask >> shift);
  }
  int Of(std::uint32_t pixel) const {
    if (bits == 0) return 0;
    std::uint32_t v = (pixel >> shift) & (bits >= 32 ? ~0u : (1u << bits) - 1);
    if (bits >= 8) return static_cast<int>(v >> (bits - 8));
    std::uint32_t out = 0;
    for (int s = 8 - bits; s > -bits; s -= bits) out |= s >= 0 ? v << s : v >> -s;
    return static_cast<int>(out & 0xFF);
  }
};

struct Header {
  std::int64_t width = 0;
  std::int64_t height = 0;  // negative: rows from the top
  int bpp = 0;
  std::uint32_t compression = kRgb;
  std::uint32_t masks[3] = {};
  std::vector<QRgb> palette;
  std::size_t pixels_at = 0;
};

Header ReadHeader(const Bytes& b) {
  if (b.size() < 14 || b.U8(0) != 'B' || b.U8(1) != 'M') Invalid("not a BMP file");
  const std::uint32_t info_size = b.U32(14);
  if (!b.Has(14, info_size) || info_size < 12) Invalid("the header ends too soon");
  Header h;
  std::size_t palette_at = 14 + info_size;
  int entry_size = 4;
  if (info_size == 12) {  // OS/2 and Windows 2 core header
    h.width = b.U16(18);
    h.height = b.U16(20);
    h.bpp = static_cast<int>(b.U16(24));
    entry_size = 3;
  } else {
    if (info_size < 16) Invalid("unknown header size " + std::to_string(info_size));
    h.width = b.S32(18);
    h.height = b.S32(22);
    h.bpp = static_cast<int>(b.U16(28));
    h.compression = info_size >= 20 ? b.U32(30) : kRgb;
  }
  std::uint32_t colours_used = info_size >= 36 ? b.U32(46) : 0;

  if (h.compression == kBitFields || h.compression == kAlphaBitFields) {
    if (h.bpp != 16 && h.bpp != 32) Invalid("bit masks need 16 or 32 bits a pixel");
    // From 52 bytes on the masks are in the header; a 40-byte header has them after it.
    std::size_t masks_at = 54;
    if (info_size < 52) {
      masks_at = 14 + info_size;
      palette_at += h.compression == kAlphaBitFields ? 16 : 12;
    }
    if (!b.Has(masks_at, 12)) Invalid("the bit masks are missing");
    for (int i = 0; i < 3; ++i) h.masks[i] = b.U32(masks_at + 4 * static_cast<std::size_t>(i));
  } else if (h.compression == kRgb && h.bpp == 16) {
    h.masks[0] = 0x7C00, h.masks[1] = 0x03E0, h.masks[2] = 0x001F;
  } else if (h.compression == kRgb && h.bpp == 32) {
    h.masks[0] = 0xFF0000, h.masks[1] = 0xFF00, h.masks[2] = 0xFF;
  } else if (h.compression == kRle8 && h.bpp != 8) {
    Invalid("RLE8 needs 8 bits a pixel");
  } else if (h.compression == kRle4 && h.bpp != 4) {
    Invalid("RLE4 needs 4 bits a pixel");
  } else if (h.compression != kRgb && h.compression != kRle8 && h.compression != kRle4) {
    Invalid("compression " + std::to_string(h.compression) + " is not supported");
  }
  if (h.bpp != 1 && h.bpp != 4 && h.bpp != 8 && h.bpp != 16 && h.bpp != 24 && h.bpp != 32) {
    Invalid(std::to_string(h.bpp) + " bits a pixel is not supported");
  }
  if ((h.compression == kRle8 || h.compression == kRle4) && h.height < 0) {
    Invalid("run-length data cannot run from the top");
  }

  if (h.bpp <= 8) {
    std::size_t count =
        colours_used == 0 || colours_used > (1u << h.bpp) ? (1u << h.bpp) : colours_used;
    for (std::size_t i = 0; i < count; ++i) {
      std::size_t at = palette_at + i * static_cast<std::size_t>(entry_size);
      if (!b.Has(at, 3)) break;  // a short palette: the rest is black
      h.palette.push_back(qRgb(static_cast<int>(b.U8(at + 2)), static_cast<int>(b.U8(at + 1)),
                               static_cast<int>(b.U8(at))));
    }
    h.palette.resize(std::size_t{1} << h.bpp, qRgb(0, 0, 0));
    palette_at += count * static_cast<std::size_t>(entry_size);
  }
  // The offset in the file header counts; writers that left it 0 put the pixels next.
  std::uint32_t offset = b.U32(10);
  h.pixels_at = offset != 0 && offset < b.size() ? offset : palette_at;
  return h;
}

void ReadRows(const Bytes& b, const Header& h, QImage& picture) {
  const int width = picture.width();
  const int height = picture.height();
  const std::size_t stride = ((static_cast<std::size_t>(width) * h.bpp + 31) / 32) * 4;
  const std::size_t used = (static_cast<std::size_t>(width) * h.bpp + 7) / 8;
  const Channel channels[3] = {Channel(h.masks[0]), Channel(h.masks[1]), Channel(h.masks[2])};
  for (int row = 0; row < height; ++row) {
    const std::size_t at = h.pixels_at + static_cast<std::size_t>(row) * stride;
    if (!b.Has(at, used)) Invalid("the pixel data ends too soon");
    const int y = h.height < 0 ? row : height - 1 - row;
    auto* out = reinterpret_cast<QRgb*>(picture.scanLine(y));
    for (int x = 0; x < width; ++x) {
      const auto xs = static_cast<std::size_t>(x);
      switch (h.bpp) {
        case 1:
          out[x] = h.palette[(b.U8(at + xs / 8) >> (7 - xs % 8)) & 1];
          break;
        case 4:
          out[x] = h.palette[(b.U8(at + xs / 2) >> (xs % 2 == 0 ? 4 : 0)) & 0xF];
          break;
        case 8:
          out[x] = h.palette[b.U8(at + xs)];
          break;
        case 24:
          out[x] =
              qRgb(static_cast<int>(b.U8(at + 3 * xs + 2)), static_cast<int>(b.U8(at + 3 * xs + 1)),
                   static_cast<int>(b.U8(at + 3 * xs)));
          break;
        default: {
          std::uint32_t p = h.bpp == 16 ? b.U16(at + 2 * xs) : b.U32(at + 4 * xs);
          out[x] = qRgb(channels[0].Of(p), channels[1].Of(p), channels[2].Of(p));
        }
      }
    }
  }
}

// Run-length data: pixels it skips stay black. Runs and moves stop at the
// row's end, and a move past the last row ends the picture, as Windows draws
// it. The column never passes the width, so no count of moves can wrap it.
void ReadRunLength(const Bytes& b, const Header& h, QImage& picture) {
  const int width = picture.width();
  picture.fill(qRgb(0, 0, 0));
  const bool four = h.compression == kRle4;
  int x = 0;
  int y = picture.height() - 1;
  auto put = [&](std::uint32_t index) {
    reinterpret_cast<QRgb*>(picture.scanLine(y))[x] = h.palette[index];
    ++x;
  };
  std::size_t at = h.pixels_at;
  while (b.Has(at, 2) && y >= 0) {
    const std::uint32_t count = b.U8(at);
    const std::uint32_t value = b.U8(at + 1);
    at += 2;
    if (count > 0) {  // a run of one value (two alternating nibbles in RLE4)
      for (std::uint32_t i = 0; i < count && x < width; ++i) {
        put(four ? (i % 2 == 0 ? value >> 4 : value & 0xF) : value);
      }
    } else if (value == 0) {  // end of row
      x = 0;
      --y;
    } else if (value == 1) {  // end of picture
      return;
    } else if (value == 2) {  // move right and up
      if (!b.Has(at, 2)) break;
      x = std::min(width, x + static_cast<int>(b.U8(at)));
      y -= static_cast<int>(b.U8(at + 1));
      at += 2;
    } else {  // `value` pixels as they are, padded to whole 16-bit words
      const std::size_t bytes = four ? (value + 1) / 2 : value;
      if (!b.Has(at, bytes)) Invalid("the run-length data ends too soon");
      for (std::uint32_t i = 0; i < value && x < width; ++i) {
        const std::uint32_t byte = b.U8(at + (four ? i / 2 : i));
        put(four ? (i % 2 == 0 ? byte >> 4 : byte & 0xF) : byte);
      }
      at += (bytes + 1) & ~std::size_t{1};
    }
  }
}

}  // namespace

QImage DecodeBmp(std::span<const unsigned char> data, const PictureLimits& limits) {
  const Bytes b(data);
  const Header h = ReadHeader(b);
  const std::int64_t height = h.height < 0 ? -h.height : h.height;
  picture_detail::CheckSize("BMP", h.width, height, limits);
  QImage picture(static_cast<int>(h.width), static_cast<int>(height), QImage::Format_RGB32);
  if (picture.isNull()) throw UnitError("not enough memory for the BMP picture");
  if (h.compression == kRle8 || h.compression == kRle4) {
    ReadRunLength(b, h, picture);
  } else {
    ReadRows(b, h, picture);
  }
  return picture;
}

}  // namespace tiko
