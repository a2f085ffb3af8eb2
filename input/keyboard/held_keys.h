// Which physical keys are down, so that a held key reads as one press plus
// repeats and one release, whatever the platform says of its auto-repeat.
// X repeats a held key as a release and a press with the same timestamp; the
// release is held back for a moment and dropped when that press follows.
#pragma once

#include <QObject>
#include <QTimer>
#include <cstdint>
#include <functional>
#include <map>
#include <optional>

class QKeyEvent;

namespace tiko {

class HeldKeys : public QObject {
 public:
  // How long a release waits for the press of an X repeat.
  static constexpr int kSettleMs = 30;

  // `press` gets the key's code and whether it is a repeat; `release` gets the
  // code the key had when it went down.
  HeldKeys(std::function<void(int code, bool repeat)> press, std::function<void(int code)> release);

  // A key went down: `id` names the physical key, `code` is what it means now
  // (asked only for a new press; 0 keeps the key out of the game).
  void Pressed(std::uint32_t id, std::int64_t timestamp, const std::function<int()>& code);
  void Released(std::uint32_t id, std::int64_t timestamp);
  // A held-back release goes out now.
  void Settle();
  // The keyboard went to another window: every held key is released. Its
  // repeats are no presses when the keyboard comes back; a new press is.
  void ReleaseAll();

  bool IsDown(std::uint32_t id) const { return down_.count(id) != 0; }
  // Whether a press of `id` at `timestamp` would be a repeat of a held key,
  // one that asks the key for no new meaning.
  bool IsRepeat(std::uint32_t id, std::int64_t timestamp) const;

 private:
  struct Pending {
    std::uint32_t id;
    std::int64_t timestamp;
  };

  std::function<void(int, bool)> press_;
  std::function<void(int)> release_;
  struct Down {
    int code;    // the code at its press
    bool muted;  // released by ReleaseAll, still held
  };
  std::map<std::uint32_t, Down> down_;
  std::optional<Pending> pending_;
  QTimer settle_timer_;
};

// The physical key of a key event: its native scan code, or the Qt key for
// events that carry none.
std::uint32_t PhysicalKeyOf(const QKeyEvent& event);

}  // namespace tiko
