#include "input/keyboard/held_keys.h"

#include <QKeyEvent>

namespace tiko {

HeldKeys::HeldKeys(std::function<void(int, bool)> press, std::function<void(int)> release)
    : press_(std::move(press)), release_(std::move(release)) {
  settle_timer_.setSingleShot(true);
  settle_timer_.setInterval(kSettleMs);
  connect(&settle_timer_, &QTimer::timeout, this, [this] { Settle(); });
}

void HeldKeys::Pressed(std::uint32_t id, std::int64_t timestamp, const std::function<int()>& code) {
  const bool x_repeat = pending_ && pending_->id == id && pending_->timestamp == timestamp;
  if (x_repeat) {
    // The release just before was the repeat's, not the player's.
    pending_.reset();
    settle_timer_.stop();
  } else {
    Settle();
  }
  auto it = down_.find(id);
  if (it != down_.end() && !(it->second.muted && !x_repeat)) {
    if (!it->second.muted && it->second.code != 0) press_(it->second.code, true);
    return;
  }
  const int now = code();
  down_[id] = Down{now, false};
  if (now != 0) press_(now, false);
}

bool HeldKeys::IsRepeat(std::uint32_t id, std::int64_t timestamp) const {
  const bool x_repeat = pending_ && pending_->id == id && pending_->timestamp == timestamp;
  // Its release at another time goes out first: this is a new press.
  if (pending_ && pending_->id == id && !x_repeat) return false;
  const auto it = down_.find(id);
  if (it == down_.end()) return false;
  return !it->second.muted || x_repeat;
}

void HeldKeys::Released(std::uint32_t id, std::int64_t timestamp) {
  Settle();
  if (!IsDown(id)) return;  // its press went elsewhere, or was released already
  pending_ = Pending{id, timestamp};
  // An event without a time (made by a program, not the keyboard) is no repeat.
  if (timestamp == 0) return Settle();
  settle_timer_.start();
}

void HeldKeys::Settle() {
  settle_timer_.stop();
  if (!pending_) return;
  const std::uint32_t id = pending_->id;
  pending_.reset();
  auto it = down_.find(id);
  if (it == down_.end()) return;
  const Down key = it->second;
  down_.erase(it);
  if (key.code != 0 && !key.muted) release_(key.code);
}

void HeldKeys::ReleaseAll() {
  Settle();
  for (auto& [id, key] : down_) {
    if (key.muted) continue;
    key.muted = true;
    if (key.code != 0) release_(key.code);
  }
}

std::uint32_t PhysicalKeyOf(const QKeyEvent& event) {
  if (event.nativeScanCode() != 0) return event.nativeScanCode();
  return 0x80000000u | static_cast<std::uint32_t>(event.key());
}

}  // namespace tiko
