// Rewrites the checksum of every whole chunk of a PNG, so mutated bytes get
// past libpng's CRC check and reach the decoder proper.
#pragma once

#include <zlib.h>

#include <cstddef>
#include <cstdint>
#include <vector>

inline bool FixPngChecksums(std::vector<std::uint8_t>& png) {
  bool changed = false;
  std::size_t at = 8;  // after the signature
  while (at + 12 <= png.size()) {
    std::uint32_t length = (std::uint32_t{png[at]} << 24) | (std::uint32_t{png[at + 1]} << 16) |
                           (std::uint32_t{png[at + 2]} << 8) | png[at + 3];
    if (length > png.size() - at - 12) break;
    std::size_t crc_at = at + 8 + length;
    auto crc = static_cast<std::uint32_t>(crc32(0, png.data() + at + 4, length + 4));
    for (int i = 0; i < 4; ++i) {
      auto byte = static_cast<std::uint8_t>(crc >> (24 - 8 * i));
      changed |= png[crc_at + i] != byte;
      png[crc_at + i] = byte;
    }
    at = crc_at + 4;
  }
  return changed;
}
