#include "display/wake_timer.h"

#include <QSocketNotifier>
#include <algorithm>
#include <chrono>
#include <limits>

#ifdef __linux__
#include <sys/timerfd.h>
#include <unistd.h>
#endif

namespace tiko {

WakeTimer::WakeTimer(std::function<void()> wake) : wake_(std::move(wake)) {
  fallback_.setSingleShot(true);
  fallback_.setTimerType(Qt::PreciseTimer);
  connect(&fallback_, &QTimer::timeout, this, &WakeTimer::Woken);
#ifdef __linux__
  // steady_clock is CLOCK_MONOTONIC on Linux, the clock the timerfd runs on.
  fd_ = timerfd_create(CLOCK_MONOTONIC, TFD_NONBLOCK | TFD_CLOEXEC);
  if (fd_ >= 0) {
    notifier_ = std::make_unique<QSocketNotifier>(fd_, QSocketNotifier::Read);
    connect(notifier_.get(), &QSocketNotifier::activated, this, [this] {
      std::uint64_t expirations = 0;
      if (read(fd_, &expirations, sizeof expirations) != sizeof expirations) return;
      Woken();
    });
  }
#endif
}

WakeTimer::~WakeTimer() {
  notifier_.reset();
#ifdef __linux__
  if (fd_ >= 0) close(fd_);
#endif
}

std::int64_t WakeTimer::NowUs() {
  return std::chrono::duration_cast<std::chrono::microseconds>(
             std::chrono::steady_clock::now().time_since_epoch())
      .count();
}

void WakeTimer::StartAt(std::int64_t at_us) {
  active_ = true;
#ifdef __linux__
  if (fd_ >= 0) {
    // An absolute time at or before now wakes at once; zero would disarm.
    const std::int64_t at = std::max<std::int64_t>(at_us, 1);
    itimerspec spec{};
    spec.it_value.tv_sec = at / 1'000'000;
    spec.it_value.tv_nsec = at % 1'000'000 * 1000;
    if (timerfd_settime(fd_, TFD_TIMER_ABSTIME, &spec, nullptr) == 0) return;
  }
#endif
  const std::int64_t wait_us = at_us - NowUs();
  fallback_.start(static_cast<int>(
      std::clamp<std::int64_t>((wait_us + 999) / 1000, 0, std::numeric_limits<int>::max())));
}

void WakeTimer::Stop() {
  active_ = false;
  fallback_.stop();
#ifdef __linux__
  if (fd_ >= 0) {
    itimerspec off{};
    timerfd_settime(fd_, 0, &off, nullptr);
  }
#endif
}

void WakeTimer::Woken() {
  if (!active_) return;
  active_ = false;
  if (wake_) wake_();
}

}  // namespace tiko
