// libFuzzer target: damaged WAV files through the sample loader's parsing and
// rate conversion, as FSOUND_Sample_Load runs them, and whatever loads through
// a few passes of the mixer.
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "sound/mixer.h"
#include "sound/rate_convert.h"
#include "sound/wav_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  auto pcm = tiko::fsound::ParseWav(std::span<const std::uint8_t>(data, size));
  if (!pcm) return 0;
  // The game's mixing rate, and a higher one so both directions run.
  for (int rate : {22050, 48000}) {
    auto out = tiko::fsound::ConvertRate(*pcm, rate);
    if (!out) continue;
    if (out->Frames() == 0) __builtin_trap();  // a sample is never empty
    tiko::fsound::Mixer mixer(2);
    mixer.Play(tiko::fsound::Mixer::kFreeChannel, &*out);
    mixer.Play(tiko::fsound::Mixer::kFreeChannel, &*out);
    std::vector<std::int16_t> buffer(2 * 300);
    mixer.Mix(buffer.data(), 300);
    mixer.Stop(tiko::fsound::Mixer::kAllChannels);
    mixer.Mix(buffer.data(), 300);
  }
  return 0;
}
