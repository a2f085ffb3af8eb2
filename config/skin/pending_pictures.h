// The skin's pictures that a run of the loader laid out but did not decode:
// the window decodes those its first frame draws, draws it, and leaves the
// rest to a thread of their own, in the order they can first be needed. A
// picture needed before its turn is decoded at once.
//
// The outcome is the one decoding every picture in entry order gives: each
// picture is decoded with the limits that order would have given it, and a
// failure counts only once every entry before it has decoded; the loader's
// state from before the run is kept so that a failing entry and every one
// after it can be put back as they were.
#pragma once

#include <QImage>
#include <array>
#include <condition_variable>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "config/picture/picture.h"
#include "engine/scene.h"

namespace tiko {

struct PictureVariants;

class PendingPictures {
 public:
  // One entry of the skin that names an existing file, in entry order.
  struct Entry {
    ImageId id = kNoImage;
    std::filesystem::path file;
    PictureLimits limits;  // as decoding in entry order gives them
    bool pending = true;   // false: decoded during the run
  };
  // What decoding an entry gave.
  struct Outcome {
    QImage picture;         // premultiplied; null on a failure
    std::string error;      // the message of a failure that ends the run
    bool left_out = false;  // past the picture budget: this and later entries are placeholders
    bool ok() const { return !picture.isNull(); }
  };
  // An image as the run found it.
  struct Before {
    QImage picture;
    std::filesystem::path file;
    std::filesystem::path at2x, at3x;  // its variants
    Image image;
  };

  PendingPictures() = default;
  ~PendingPictures();
  PendingPictures(const PendingPictures&) = delete;
  PendingPictures& operator=(const PendingPictures&) = delete;

  // Decodes one entry as the loader does.
  static Outcome Decode(const std::filesystem::path& file, const PictureLimits& limits);

  std::vector<Entry> entries;
  std::array<Before, kImageEnd> before;  // every skin image and the in-game menu's two
  std::int64_t budget_bytes = 0;         // the budget's whole, for the message of a left-out entry

  // Starts decoding the pending entries on a thread of their own, in the
  // order of `ids` first and entry order after; `ready` is called on that
  // thread after each one. Given `hold_after`, the thread waits after that
  // many of `ids` until Release().
  void Start(const std::vector<ImageId>& ids, std::function<void()> ready,
             std::optional<std::size_t> hold_after = std::nullopt);
  // Lets a held thread go on.
  void Release();
  // The outcome of the entry of `id`, decoded here if its turn has not come
  // and waited for if it is being decoded; nullopt for an image without a
  // pending entry.
  std::optional<Outcome> Take(ImageId id);
  // Entries decoded on the thread and not yet taken, in entry order.
  std::vector<ImageId> Ready();
  bool Pending(ImageId id) const;
  bool AnyPending() const;
  // Whether Start has started the thread (it starts once).
  bool Started() const { return thread_.joinable(); }
  // Stops the thread; what it has not decoded is decoded by Take.
  void Stop();

 private:
  enum class State { kQueued, kDecoding, kDone, kTaken };
  std::optional<std::size_t> IndexOf(ImageId id) const;
  void InitLocked();
  void Work(std::vector<std::size_t> order, std::function<void()> ready);

  mutable std::mutex mutex_;
  std::condition_variable done_;
  std::vector<State> state_;
  std::vector<Outcome> outcome_;
  bool stopping_ = false;
  bool held_ = false;
  std::size_t hold_at_ = 0;  // how far into its order the thread goes while held
  std::condition_variable released_;
  std::thread thread_;
};

// The message of a picture left out past the budget.
std::string BudgetMessage(std::int64_t budget_bytes, const std::filesystem::path& first_left_out);

}  // namespace tiko
