#include "sound/wav_reader.h"

#include <cstring>

namespace tiko::fsound {
namespace {

constexpr std::uint16_t kFormatPcm = 0x0001;
constexpr std::uint16_t kFormatExtensible = 0xFFFE;

std::uint16_t Le16(const std::uint8_t* p) {
  return static_cast<std::uint16_t>(p[0] | p[1] << 8);
}

std::uint32_t Le32(const std::uint8_t* p) {
  return static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8 |
         static_cast<std::uint32_t>(p[2]) << 16 | static_cast<std::uint32_t>(p[3]) << 24;
}

bool Tag(const std::uint8_t* p, const char* tag) {
  return std::memcmp(p, tag, 4) == 0;
}

struct Format {
  std::uint16_t channels = 0;
  std::uint32_t rate = 0;
  std::uint16_t block_align = 0;
  std::uint16_t bits = 0;
};

std::optional<Format> ParseFmt(std::span<const std::uint8_t> body) {
  if (body.size() < 16) return std::nullopt;
  const std::uint8_t* p = body.data();
  std::uint16_t tag = Le16(p);
  if (tag == kFormatExtensible) {
    // cbSize, valid bits, channel mask, then the sub-format GUID whose first
    // two bytes carry the plain format tag.
    if (body.size() < 40 || Le16(p + 16) < 22) return std::nullopt;
    tag = Le16(p + 24);
  }
  if (tag != kFormatPcm) return std::nullopt;
  Format f{Le16(p + 2), Le32(p + 4), Le16(p + 12), Le16(p + 14)};
  if (f.channels != 1 && f.channels != 2) return std::nullopt;
  if (f.bits != 8 && f.bits != 16) return std::nullopt;
  if (f.block_align != f.channels * (f.bits / 8)) return std::nullopt;
  if (f.rate < kMinWavRate || f.rate > kMaxWavRate) return std::nullopt;
  return f;
}

Pcm Decode(const Format& f, std::span<const std::uint8_t> data) {
  Pcm pcm;
  pcm.channels = f.channels;
  pcm.rate = static_cast<int>(f.rate);
  // A trailing partial frame is dropped.
  std::size_t frames = data.size() / f.block_align;
  std::size_t values = frames * f.channels;
  pcm.data.resize(values);
  if (f.bits == 8) {
    for (std::size_t i = 0; i < values; ++i)
      pcm.data[i] = static_cast<std::int16_t>((data[i] - 128) * 256);
  } else {
    for (std::size_t i = 0; i < values; ++i)
      pcm.data[i] = static_cast<std::int16_t>(Le16(data.data() + 2 * i));
  }
  return pcm;
}

}  // namespace

std::optional<Pcm> ParseWav(std::span<const std::uint8_t> bytes) {
  if (bytes.size() < 12 || !Tag(bytes.data(), "RIFF") || !Tag(bytes.data() + 8, "WAVE"))
    return std::nullopt;

  std::optional<Format> format;
  std::size_t pos = 12;
  while (bytes.size() - pos >= 8) {
    const std::uint8_t* head = bytes.data() + pos;
    std::uint32_t size = Le32(head + 4);
    pos += 8;
    // A chunk that claims more than the file holds means the file was cut short.
    if (size > bytes.size() - pos) return std::nullopt;
    std::span<const std::uint8_t> body = bytes.subspan(pos, size);
    if (Tag(head, "fmt ")) {
      if (format) return std::nullopt;
      format = ParseFmt(body);
      if (!format) return std::nullopt;
    } else if (Tag(head, "data")) {
      if (!format || body.size() < format->block_align) return std::nullopt;
      return Decode(*format, body);
    }
    // Chunks are padded to an even length; the pad byte may be missing at the end.
    pos += size;
    if ((size & 1) != 0 && pos < bytes.size()) ++pos;
  }
  return std::nullopt;
}

}  // namespace tiko::fsound
