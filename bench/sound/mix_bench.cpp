// The mixer's cost per second of audio at 22050 Hz, pulled in device-sized
// buffers, with 1, 8 and all 64 channels busy. "audio_per_cpu" is how many
// seconds of audio one second of one core mixes.
#include <benchmark/benchmark.h>

#include <vector>

#include "sound/mixer.h"
#include "sound/sdl_output.h"

namespace {

constexpr int kRate = 22050;

tiko::fsound::Pcm Tone(int seconds, int channels) {
  tiko::fsound::Pcm p;
  p.rate = kRate;
  p.channels = channels;
  for (int i = 0; i < seconds * kRate * channels; ++i)
    p.data.push_back(static_cast<std::int16_t>((i / 19) % 2 ? -9000 : 9000));
  return p;
}

void MixOneSecond(benchmark::State& state, int sample_channels) {
  const int busy = static_cast<int>(state.range(0));
  tiko::fsound::Mixer mixer(tiko::fsound::Mixer::kMaxChannels);
  tiko::fsound::Pcm tone = Tone(2, sample_channels);
  std::vector<std::int16_t> buffer(2 * tiko::fsound::kDeviceBufferFrames);
  for (auto _ : state) {
    // Fresh starts each second, so every channel plays throughout.
    for (int c = 0; c < busy; ++c) mixer.Play(c, &tone);
    for (int done = 0; done < kRate; done += tiko::fsound::kDeviceBufferFrames) {
      mixer.Mix(buffer.data(), tiko::fsound::kDeviceBufferFrames);
      benchmark::DoNotOptimize(buffer.data());
    }
  }
  state.counters["audio_per_cpu"] =
      benchmark::Counter(1.0, benchmark::Counter::kIsIterationInvariantRate);
}

void BM_MixSecondMono(benchmark::State& state) {
  MixOneSecond(state, 1);
}
void BM_MixSecondStereo(benchmark::State& state) {
  MixOneSecond(state, 2);
}

BENCHMARK(BM_MixSecondMono)->Arg(1)->Arg(8)->Arg(64)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_MixSecondStereo)->Arg(64)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
