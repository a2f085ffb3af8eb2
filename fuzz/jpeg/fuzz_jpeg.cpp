// libFuzzer target: the JPEG decoder must turn any bytes into a picture or a UnitError.
#include <cstddef>
#include <cstdint>

#include "config/picture/picture.h"
#include "engine/ports.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  // Smaller limits than the program's keep each run quick; the checks are the same.
  tiko::PictureLimits limits;
  limits.max_side = 4096;
  limits.max_pixels = 4 * 1024 * 1024;
  limits.max_decode_bytes = 64 * 1024 * 1024;
  try {
    QImage picture = tiko::DecodeJpeg({data, size}, limits);
    if (picture.width() > limits.max_side || picture.height() > limits.max_side) __builtin_trap();
  } catch (const tiko::UnitError&) {
  }
  return 0;
}
