// Whether a compositing manager runs on X11, told as it changes. A compositor
// owns the selection _NET_WM_CM_S0; XFixes reports each new owner and each
// owner gone, so nothing is asked of the server while nothing changes.
#pragma once

#include <QAbstractNativeEventFilter>
#include <cstdint>
#include <functional>
#include <memory>

namespace tiko {

// True when the desktop blends translucent windows (a compositing manager runs).
bool CompositorRunning();

class CompositorWatch : public QAbstractNativeEventFilter {
 public:
  // Null off X11 or without XFixes; the caller then asks now and then.
  static std::unique_ptr<CompositorWatch> Install(std::function<void(bool running)> changed);
  ~CompositorWatch() override;

  // Whether one runs now, asked of the server once.
  bool Running() const;

  bool nativeEventFilter(const QByteArray& type, void* message, qintptr* result) override;

 private:
  CompositorWatch(std::function<void(bool)> changed, std::uint8_t first_event, std::uint32_t atom)
      : changed_(std::move(changed)), first_event_(first_event), atom_(atom) {}

  std::function<void(bool)> changed_;
  std::uint8_t first_event_;  // XFixes' first event code on this connection
  std::uint32_t atom_;        // _NET_WM_CM_S0
};

}  // namespace tiko
