// libFuzzer target: damaged WAV files through the sample loader's parsing and
// rate conversion, as FSOUND_Sample_Load runs them.
#include <cstddef>
#include <cstdint>
#include <span>

#include "sound/rate_convert.h"
#include "sound/wav_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  auto pcm = tiko::fsound::ParseWav(std::span<const std::uint8_t>(data, size));
  if (!pcm) return 0;
  // The game's mixing rate, and a higher one so both directions run.
  for (int rate : {22050, 48000}) {
    auto out = tiko::fsound::ConvertRate(*pcm, rate);
    if (out && out->Frames() == 0) __builtin_trap();  // a sample is never empty
  }
  return 0;
}
