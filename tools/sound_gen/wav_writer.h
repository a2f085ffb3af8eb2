// Writes 16-bit mono PCM as a RIFF/WAVE file.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace tiko::soundgen {

std::vector<std::uint8_t> EncodeWav(const std::vector<std::int16_t>& samples, int rate);
bool WriteFile(const std::string& path, const std::vector<std::uint8_t>& bytes);

}  // namespace tiko::soundgen
