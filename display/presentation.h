// The main window's presentation, full screen or windowed. It changes in one
// place, the window's switch; what shows it (the menu's check mark, the
// in-game menu) watches it instead of being told by each caller.
#pragma once

#include <functional>
#include <list>
#include <utility>

namespace tiko {

class Presentation {
  using Watchers = std::list<std::function<void(bool fullscreen)>>;

 public:
  // Watching for as long as it lives.
  class Watch {
   public:
    Watch() = default;
    Watch(Watchers* watchers, Watchers::iterator at) : watchers_(watchers), at_(at) {}
    Watch(Watch&& other) noexcept { *this = std::move(other); }
    Watch& operator=(Watch&& other) noexcept {
      Stop();
      watchers_ = std::exchange(other.watchers_, nullptr);
      at_ = other.at_;
      return *this;
    }
    ~Watch() { Stop(); }

   private:
    void Stop() {
      if (watchers_) watchers_->erase(at_);
      watchers_ = nullptr;
    }
    Watchers* watchers_ = nullptr;
    Watchers::iterator at_;
  };

  bool Fullscreen() const { return fullscreen_; }
  // Tells every watcher when the presentation changes.
  void Set(bool fullscreen) {
    if (fullscreen == fullscreen_) return;
    fullscreen_ = fullscreen;
    for (const auto& watcher : watchers_) watcher(fullscreen_);
  }
  [[nodiscard]] Watch Watched(std::function<void(bool fullscreen)> watcher) {
    return Watch(&watchers_, watchers_.insert(watchers_.end(), std::move(watcher)));
  }

 private:
  bool fullscreen_ = true;
  Watchers watchers_;
};

}  // namespace tiko
