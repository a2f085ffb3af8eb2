#include "tools/sound_gen/wav_writer.h"

#include <fstream>

namespace tiko::soundgen {
namespace {

void Put(std::vector<std::uint8_t>& b, const char* tag) {
  for (int i = 0; i < 4; ++i) b.push_back(static_cast<std::uint8_t>(tag[i]));
}

void Put(std::vector<std::uint8_t>& b, std::uint32_t v, int bytes) {
  for (int i = 0; i < bytes; ++i) b.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
}

}  // namespace

std::vector<std::uint8_t> EncodeWav(const std::vector<std::int16_t>& samples, int rate) {
  const std::uint32_t data_bytes = static_cast<std::uint32_t>(samples.size() * 2);
  std::vector<std::uint8_t> b;
  b.reserve(44 + data_bytes + 1);
  Put(b, "RIFF");
  Put(b, 36 + data_bytes + (data_bytes & 1), 4);
  Put(b, "WAVE");
  Put(b, "fmt ");
  Put(b, 16, 4);
  Put(b, 1, 2);  // PCM
  Put(b, 1, 2);  // mono
  Put(b, static_cast<std::uint32_t>(rate), 4);
  Put(b, static_cast<std::uint32_t>(rate) * 2, 4);
  Put(b, 2, 2);   // block align
  Put(b, 16, 2);  // bits
  Put(b, "data");
  Put(b, data_bytes, 4);
  for (std::int16_t s : samples) Put(b, static_cast<std::uint16_t>(s), 2);
  return b;
}

bool WriteFile(const std::string& path, const std::vector<std::uint8_t>& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()),
            static_cast<std::streamsize>(bytes.size()));
  return static_cast<bool>(out.flush());
}

}  // namespace tiko::soundgen
