// Builds WAV files byte by byte for the sound tests.
#pragma once

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace tiko::test {

struct WavSpec {
  std::uint16_t format = 1;
  std::uint16_t channels = 1;
  std::uint32_t rate = 22050;
  std::uint16_t bits = 16;
};

inline void Put32(std::vector<std::uint8_t>& b, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) b.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
}
inline void Put16(std::vector<std::uint8_t>& b, std::uint16_t v) {
  b.push_back(static_cast<std::uint8_t>(v));
  b.push_back(static_cast<std::uint8_t>(v >> 8));
}
inline void PutTag(std::vector<std::uint8_t>& b, const char* t) {
  for (int i = 0; i < 4; ++i) b.push_back(static_cast<std::uint8_t>(t[i]));
}

// A WAV file around raw sample bytes, with optional chunks before "data".
inline std::vector<std::uint8_t> MakeWav(const WavSpec& s, const std::vector<std::uint8_t>& data,
                                         const std::vector<std::uint8_t>& extra = {}) {
  std::vector<std::uint8_t> b;
  PutTag(b, "RIFF");
  Put32(b, 0);
  PutTag(b, "WAVE");
  PutTag(b, "fmt ");
  Put32(b, 16);
  Put16(b, s.format);
  Put16(b, s.channels);
  Put32(b, s.rate);
  Put32(b, s.rate * s.channels * (s.bits / 8));
  Put16(b, static_cast<std::uint16_t>(s.channels * (s.bits / 8)));
  Put16(b, s.bits);
  b.insert(b.end(), extra.begin(), extra.end());
  PutTag(b, "data");
  Put32(b, static_cast<std::uint32_t>(data.size()));
  b.insert(b.end(), data.begin(), data.end());
  std::uint32_t riff = static_cast<std::uint32_t>(b.size() - 8);
  for (int i = 0; i < 4; ++i) b[4 + i] = static_cast<std::uint8_t>(riff >> (8 * i));
  return b;
}

// 16-bit mono at 22050 Hz holding `frames` copies of `value`: a flat level
// that shows up unchanged in the mix.
inline std::vector<std::uint8_t> LevelWav(std::int16_t value, int frames) {
  std::vector<std::uint8_t> data;
  for (int i = 0; i < frames; ++i) Put16(data, static_cast<std::uint16_t>(value));
  return MakeWav({}, data);
}

inline void WriteBytes(const std::filesystem::path& p, const std::vector<std::uint8_t>& b) {
  if (p.has_parent_path()) std::filesystem::create_directories(p.parent_path());
  std::ofstream(p, std::ios::binary)
      .write(reinterpret_cast<const char*>(b.data()), static_cast<std::streamsize>(b.size()));
}

}  // namespace tiko::test
