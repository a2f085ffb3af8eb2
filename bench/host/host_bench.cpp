// How late the window's host runs the unit's ticks, on the unit's time line,
// over a long session of play on the real clock: a player presses a button
// three or four times a second, holds it a moment, and starts a new game
// whenever one ends. Prints a line a minute and a summary at the end; the aim
// is no tick more than 2 ms late.
// Run: build/bench/host/host_bench [SECONDS]   (600 when not given)
#include <QCoreApplication>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <vector>

#include "display/realtime_host.h"
#include "engine/unit.h"

namespace {

using tiko::Control;

struct Lateness {
  std::vector<std::int64_t> late_us;
  int stalls = 0;

  void Print(const char* what) {
    if (late_us.empty()) {
      std::printf("%s: no ticks\n", what);
      return;
    }
    std::vector<std::int64_t> s = late_us;
    std::sort(s.begin(), s.end());
    auto at = [&s](double q) { return s[static_cast<size_t>(q * (s.size() - 1))] / 1000.0; };
    const auto over = std::count_if(s.begin(), s.end(), [](std::int64_t us) { return us > 2000; });
    std::printf(
        "%s: %zu ticks, median %.2f ms, 99%% %.2f ms, 99.9%% %.2f ms, max %.2f ms, "
        "over 2 ms %ld, stalls %d\n",
        what, s.size(), at(0.5), at(0.99), at(0.999), s.back() / 1000.0, static_cast<long>(over),
        stalls);
    std::fflush(stdout);
  }
};

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  const int seconds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 600;

  tiko::Unit unit(tiko::UnitPorts{});
  unit.CreateFinish();
  unit.SeedRandom(2026);
  tiko::RealtimeHost host(unit, {});
  Lateness minute, session;
  host.on_tick = [&](std::int64_t, std::int64_t late_us) {
    minute.late_us.push_back(late_us);
    session.late_us.push_back(late_us);
  };
  host.on_stall = [&](std::int64_t) {
    ++minute.stalls;
    ++session.stalls;
  };

  // An input as the window hands it over: time brought up first, then re-armed.
  auto input = [&](Control control, bool press) {
    host.Sync();
    press ? unit.Press(control) : unit.Release(control);
    host.Rearm();
  };
  input(Control::kOpen, true);

  std::mt19937 random(7);
  QTimer player;
  player.setSingleShot(true);
  QObject::connect(&player, &QTimer::timeout, [&] {
    const int mode = unit.vars().mode;
    Control control = Control::kGameA;
    if (tiko::InGame(mode)) {
      constexpr Control kMoves[] = {Control::kLeft, Control::kRight, Control::kUp, Control::kDown,
                                    Control::kJump};
      control = kMoves[random() % 5];
    }
    input(control, true);
    QTimer::singleShot(40 + static_cast<int>(random() % 120),
                       [&, control] { input(control, false); });
    player.start(180 + static_cast<int>(random() % 200));
  });
  player.start(500);

  int minutes = 0;
  QTimer report;
  QObject::connect(&report, &QTimer::timeout, [&] {
    char what[32];
    std::snprintf(what, sizeof what, "minute %d", ++minutes);
    minute.Print(what);
    minute = {};
  });
  report.start(60'000);

  QTimer::singleShot(seconds * 1000, &app, &QCoreApplication::quit);
  host.Rearm();
  app.exec();
  session.Print("session");
  return 0;
}
