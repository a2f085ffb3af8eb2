// libFuzzer target: the PNG decoder must turn any bytes into a picture or a UnitError.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "config/picture/picture.h"
#include "engine/ports.h"
#include "fuzz/png/png_crc.h"

namespace {

void Decode(const std::uint8_t* data, std::size_t size) {
  // Smaller limits than the program's keep each run quick; the checks are the same.
  tiko::PictureLimits limits;
  limits.max_side = 4096;
  limits.max_pixels = 4 * 1024 * 1024;
  try {
    QImage picture = tiko::DecodePng({data, size}, limits);
    if (picture.width() > limits.max_side || picture.height() > limits.max_side) __builtin_trap();
  } catch (const tiko::UnitError&) {
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  Decode(data, size);
  // Once more with the checksums made right, which almost no mutation gets by chance.
  std::vector<std::uint8_t> fixed(data, data + size);
  if (FixPngChecksums(fixed)) Decode(fixed.data(), fixed.size());
  return 0;
}
