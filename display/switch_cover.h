// A still of the screen that covers it while the main window is unmapped and
// mapped again in its new presentation: the switch then shows no frame of
// bare desktop or of an unpainted window, only the old picture until the new
// one is painted over it. X11 only; nothing elsewhere.
#pragma once

#include <cstdint>

namespace tiko {

class SwitchCover {
 public:
  SwitchCover() = default;
  SwitchCover(const SwitchCover&) = delete;
  SwitchCover& operator=(const SwitchCover&) = delete;
  ~SwitchCover() { Remove(); }

  // Covers the whole screen with what it shows now; false when it cannot.
  bool Show();
  void Remove();
  bool Shown() const { return window_ != 0; }

  // Whether the X window `window` is mapped and viewable (true off X11).
  static bool Viewable(std::uintptr_t window);

 private:
  std::uint32_t window_ = 0;
};

}  // namespace tiko
