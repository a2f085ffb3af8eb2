// UTF-16 text, as Windows tools write it, brought to UTF-8: the settings file
// and Config.ini may both come that way.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace tiko::text {

inline void AppendUtf8(std::string& out, std::uint32_t u) {
  if (u < 0x80) {
    out.push_back(static_cast<char>(u));
  } else if (u < 0x800) {
    out.push_back(static_cast<char>(0xC0 | (u >> 6)));
    out.push_back(static_cast<char>(0x80 | (u & 0x3F)));
  } else if (u < 0x10000) {
    out.push_back(static_cast<char>(0xE0 | (u >> 12)));
    out.push_back(static_cast<char>(0x80 | ((u >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (u & 0x3F)));
  } else {
    out.push_back(static_cast<char>(0xF0 | (u >> 18)));
    out.push_back(static_cast<char>(0x80 | ((u >> 12) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | ((u >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (u & 0x3F)));
  }
}

// Broken surrogate pairs become U+FFFD; an odd last byte is dropped.
inline std::string Utf16ToUtf8(std::string_view b, bool big_endian) {
  auto unit = [&](std::size_t i) -> std::uint32_t {
    auto hi = static_cast<std::uint8_t>(b[big_endian ? i : i + 1]);
    auto lo = static_cast<std::uint8_t>(b[big_endian ? i + 1 : i]);
    return (std::uint32_t{hi} << 8) | lo;
  };
  std::string out;
  out.reserve(b.size() / 2);
  for (std::size_t i = 0; i + 1 < b.size(); i += 2) {
    std::uint32_t u = unit(i);
    if (u >= 0xD800 && u < 0xDC00 && i + 3 < b.size() && unit(i + 2) >= 0xDC00 &&
        unit(i + 2) < 0xE000) {
      u = 0x10000 + ((u - 0xD800) << 10) + (unit(i + 2) - 0xDC00);
      i += 2;
    } else if (u >= 0xD800 && u < 0xE000) {
      u = 0xFFFD;
    }
    AppendUtf8(out, u);
  }
  return out;
}

}  // namespace tiko::text
