// How many virtual seconds the core runs per real second: on the idle clock
// and in a started game. Run: build/bench/core/core_bench
#include <benchmark/benchmark.h>

#include "engine/unit.h"
#include "engine/unit_probe.h"
#include "tests/support/null_ports.h"

namespace {

using tiko::test::NullClock;
using tiko::test::NullCues;

constexpr std::int64_t kVirtualMs = 3600 * 1000;  // one virtual hour per iteration

void Run(benchmark::State& state, bool game) {
  NullCues cues;
  NullClock clock;
  for (auto _ : state) {
    tiko::Unit unit(tiko::UnitPorts{&cues, nullptr, &clock, nullptr});
    unit.CreateFinish();
    unit.Press(tiko::Control::kOpen);
    if (game) {
      unit.Press(tiko::Control::kGameA);
      unit.Release(tiko::Control::kGameA);
    } else {
      unit.Press(tiko::Control::kTime);
      unit.Release(tiko::Control::kTime);
    }
    unit.RunUntil(kVirtualMs);
    benchmark::DoNotOptimize(unit.vars().score);
  }
  state.counters["virtual_s_per_s"] = benchmark::Counter(
      static_cast<double>(kVirtualMs) / 1000.0 * state.iterations(), benchmark::Counter::kIsRate);
}

void BM_IdleClock(benchmark::State& state) {
  Run(state, false);
}
void BM_StartedGame(benchmark::State& state) {
  Run(state, true);
}

BENCHMARK(BM_IdleClock)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_StartedGame)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
