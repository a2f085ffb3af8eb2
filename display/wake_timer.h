// A single-shot wake-up at a moment on the monotonic clock, to the
// microsecond. Qt's timers count whole milliseconds from when they are
// started, which makes every tick up to a millisecond late; on Linux a
// timerfd wakes the event loop at the moment itself. Elsewhere, or when no
// timerfd can be had, a precise Qt timer does it, rounded up.
#pragma once

#include <QObject>
#include <QTimer>
#include <cstdint>
#include <functional>
#include <memory>

class QSocketNotifier;

namespace tiko {

class WakeTimer : public QObject {
 public:
  explicit WakeTimer(std::function<void()> wake);
  ~WakeTimer() override;

  // The monotonic clock the moments are given on, in microseconds.
  static std::int64_t NowUs();

  void StartAt(std::int64_t at_us);
  void Stop();
  bool Active() const { return active_; }

 private:
  void Woken();

  std::function<void()> wake_;
  bool active_ = false;
  int fd_ = -1;
  std::unique_ptr<QSocketNotifier> notifier_;
  QTimer fallback_;
};

}  // namespace tiko
