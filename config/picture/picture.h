// Picture files for the skin and the manual: the format comes from the file's
// extension (bmp, png, jpg, jpeg, in any case); every failure is a UnitError
// with a message for the player.
#pragma once

#include <QImage>
#include <QSize>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string>

#include "engine/ports.h"

namespace tiko {

// Pictures beyond these sizes are refused before any pixel memory is taken,
// so a small file cannot claim gigabytes.
struct PictureLimits {
  int max_side = 16384;
  std::int64_t max_pixels = std::int64_t{64} * 1024 * 1024;
  std::uintmax_t max_file_bytes = std::uintmax_t{256} * 1024 * 1024;
  // What decoding one picture may take at its peak, the decoded picture and
  // the decoder's own buffers together; past it the picture is PictureTooLarge.
  std::int64_t max_decode_bytes = std::int64_t{384} * 1024 * 1024;
};

// What the decoders hand back: Format_ARGB32 (straight, not premultiplied
// alpha) for a PNG with an alpha channel or tRNS, Format_RGB32 for every other
// picture. Samples are as the file stores them: no gamma or colour profile is
// applied, 16-bit PNG samples are scaled to 8 bits, BMP channels of fewer bits
// are spread over 0..255, and BMP and JPEG pictures are opaque (Windows draws
// a 32-bit BMP's fourth byte as nothing).
QImage DecodePng(std::span<const unsigned char> data, const PictureLimits& limits = {});
QImage DecodeJpeg(std::span<const unsigned char> data, const PictureLimits& limits = {});
QImage DecodeBmp(std::span<const unsigned char> data, const PictureLimits& limits = {});

// Reads and decodes a picture file by its extension. Throws UnitError with
// "Unknown picture file extension (.ext)" for a format it does not know.
QImage LoadPicture(const std::filesystem::path& file, const PictureLimits& limits = {});

// The size a picture file declares, read from its first bytes alone (never
// the whole file): nullopt when they do not tell, for a file that cannot be
// read, is damaged or is no picture. Its load then says why.
std::optional<QSize> PictureFileSize(const std::filesystem::path& file);

// Stands in for a picture file that is missing: 10 x 10, red, black outline.
QImage PlaceholderPicture();

// A picture whose size is beyond the limits it was decoded with.
class PictureTooLarge : public UnitError {
 public:
  PictureTooLarge(const std::string& message, std::int64_t width, std::int64_t height)
      : UnitError(message), width(width), height(height) {}
  std::int64_t width;
  std::int64_t height;
};

namespace picture_detail {
// Throws PictureTooLarge when a picture of this size is beyond the limits.
void CheckSize(const char* format, std::int64_t width, std::int64_t height,
               const PictureLimits& limits);
}  // namespace picture_detail

}  // namespace tiko
