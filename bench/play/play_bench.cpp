// Virtual seconds of busy play per real second: crows on the vines, the
// coconut knocked down again and again onto them, umbrellas and balloons
// drifting, misses and new games. Run: build/bench/play/play_bench
#include <benchmark/benchmark.h>

#include "engine/unit.h"
#include "engine/unit_probe.h"
#include "tests/support/null_ports.h"

namespace {

using tiko::test::NullClock;
using tiko::test::NullCues;

using namespace tiko::seg;

constexpr std::int64_t kVirtualMs = 3600 * 1000;  // one virtual hour per iteration
constexpr std::int64_t kActionEveryMs = 700;

// Puts the hero at the top left under a hanging coconut and knocks it down.
void KnockCoconut(tiko::Unit& unit) {
  tiko::Vars& v = tiko::UnitProbe(unit).vars();
  unit.Release(tiko::Control::kRight);
  if (!(v.hero_col == 1 && v.hero_row == 1)) {
    tiko::UnitProbe(unit).scene().Hide(tiko_seg[v.hero_col][v.hero_row]);
    v.hero_col = 1;
    v.hero_row = 1;
    tiko::UnitProbe(unit).scene().Show(tiko_seg[1][1]);
  }
  tiko::UnitProbe(unit).scene().Show(coconut_seg[0]);
  unit.Press(tiko::Control::kUp);
  unit.Release(tiko::Control::kUp);
}

void BM_BusyPlay(benchmark::State& state) {
  NullCues cues;
  NullClock clock;
  std::int64_t ticks = 0;
  std::int64_t games = 0;
  for (auto _ : state) {
    tiko::Unit unit(tiko::UnitPorts{&cues, nullptr, &clock, nullptr});
    unit.CreateFinish();
    unit.SeedRandom(12345);
    unit.Press(tiko::Control::kOpen);
    int action = 0;
    for (std::int64_t t = kActionEveryMs; t <= kVirtualMs; t += kActionEveryMs) {
      while (auto id = tiko::UnitProbe(unit).timers().PopDue(t, false)) {
        tiko::UnitProbe(unit).RunTimer(*id);
        ++ticks;
      }
      tiko::UnitProbe(unit).timers().AdvanceTo(t);
      if (!tiko::InGame(unit.vars().mode)) {
        unit.Press(tiko::Control::kGameB);
        unit.Release(tiko::Control::kGameB);
        ++games;
      } else if (unit.vars().play_active) {
        // Knocks between walks along the top vine, where the crows come by.
        if (++action % 3 == 0) {
          KnockCoconut(unit);
        } else if (unit.vars().hero_col >= 3) {
          unit.Release(tiko::Control::kLeft);
          unit.Press(tiko::Control::kLeft);
        } else {
          unit.Release(tiko::Control::kRight);
          unit.Press(tiko::Control::kRight);
        }
      }
    }
    benchmark::DoNotOptimize(unit.vars().score);
  }
  state.counters["virtual_s_per_s"] = benchmark::Counter(
      static_cast<double>(kVirtualMs) / 1000.0 * state.iterations(), benchmark::Counter::kIsRate);
  state.counters["games_per_hour"] = static_cast<double>(games) / state.iterations();
  state.counters["ticks_per_s"] =
      benchmark::Counter(static_cast<double>(ticks), benchmark::Counter::kIsRate);
}

BENCHMARK(BM_BusyPlay)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
