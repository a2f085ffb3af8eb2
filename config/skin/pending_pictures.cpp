#include "config/skin/pending_pictures.h"

#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>

namespace tiko {

PendingPictures::~PendingPictures() {
  Stop();
}

PendingPictures::Outcome PendingPictures::Decode(const std::filesystem::path& file,
                                                 const PictureLimits& limits) {
  Outcome outcome;
  try {
    outcome.picture = LoadPicture(file, limits);
    outcome.picture.convertTo(QImage::Format_ARGB32_Premultiplied);
  } catch (const PictureTooLarge& e) {
    // As the budget judges it: within what one picture may be, the budget ran out.
    const PictureLimits whole;
    outcome.left_out = e.width > 0 && e.height > 0 && e.width <= whole.max_side &&
                       e.height <= whole.max_side && e.width * e.height <= whole.max_pixels;
    if (!outcome.left_out) outcome.error = e.what();
  } catch (const UnitError& e) {
    outcome.error = e.what();
  }
  return outcome;
}

std::optional<std::size_t> PendingPictures::IndexOf(ImageId id) const {
  for (std::size_t i = 0; i < entries.size(); ++i) {
    if (entries[i].id == id && entries[i].pending) return i;
  }
  return std::nullopt;
}

void PendingPictures::InitLocked() {
  if (state_.size() == entries.size()) return;
  state_.assign(entries.size(), State::kQueued);
  outcome_.assign(entries.size(), Outcome{});
  for (std::size_t i = 0; i < entries.size(); ++i) {
    if (!entries[i].pending) state_[i] = State::kTaken;
  }
}

void PendingPictures::Start(const std::vector<ImageId>& ids, std::function<void()> ready,
                            std::optional<std::size_t> hold_after) {
  std::vector<std::size_t> order;
  {
    std::lock_guard lock(mutex_);
    InitLocked();
    held_ = hold_after.has_value();
  }
  auto add = [&](std::size_t i) {
    if (std::find(order.begin(), order.end(), i) == order.end()) order.push_back(i);
  };
  for (std::size_t n = 0; n < ids.size(); ++n) {
    if (n == hold_after) hold_at_ = order.size();
    if (std::optional<std::size_t> i = IndexOf(ids[n])) add(*i);
  }
  if (hold_after >= ids.size()) hold_at_ = order.size();
  for (std::size_t i = 0; i < entries.size(); ++i) {
    if (entries[i].pending) add(i);
  }
  if (order.empty()) return;
  thread_ = std::thread(&PendingPictures::Work, this, std::move(order), std::move(ready));
}

void PendingPictures::Work(std::vector<std::size_t> order, std::function<void()> ready) {
  // Decoding ahead must not take the processor from the window and the
  // display server while the first frame is being shown.
  setpriority(PRIO_PROCESS, static_cast<id_t>(gettid()), 10);
  for (std::size_t at = 0; at < order.size(); ++at) {
    const std::size_t i = order[at];
    {
      std::unique_lock lock(mutex_);
      if (at >= hold_at_) released_.wait(lock, [this] { return !held_ || stopping_; });
      if (stopping_) return;
      if (state_[i] != State::kQueued) continue;
      state_[i] = State::kDecoding;
    }
    Outcome outcome = Decode(entries[i].file, entries[i].limits);
    {
      std::lock_guard lock(mutex_);
      outcome_[i] = std::move(outcome);
      state_[i] = State::kDone;
    }
    done_.notify_all();
    if (ready) ready();
  }
}

std::optional<PendingPictures::Outcome> PendingPictures::Take(ImageId id) {
  const std::optional<std::size_t> i = IndexOf(id);
  if (!i) return std::nullopt;
  std::unique_lock lock(mutex_);
  InitLocked();
  if (state_[*i] == State::kTaken) return std::nullopt;
  if (state_[*i] == State::kQueued) {
    state_[*i] = State::kDecoding;
    lock.unlock();
    Outcome outcome = Decode(entries[*i].file, entries[*i].limits);
    lock.lock();
    outcome_[*i] = std::move(outcome);
    state_[*i] = State::kDone;
  }
  done_.wait(lock, [&] { return state_[*i] == State::kDone; });
  state_[*i] = State::kTaken;
  return std::move(outcome_[*i]);
}

std::vector<ImageId> PendingPictures::Ready() {
  std::lock_guard lock(mutex_);
  std::vector<ImageId> ready;
  for (std::size_t i = 0; i < state_.size(); ++i) {
    if (state_[i] == State::kDone) ready.push_back(entries[i].id);
  }
  return ready;
}

bool PendingPictures::Pending(ImageId id) const {
  const std::optional<std::size_t> i = IndexOf(id);
  if (!i) return false;
  std::lock_guard lock(mutex_);
  return state_.size() != entries.size() || state_[*i] != State::kTaken;
}

bool PendingPictures::AnyPending() const {
  std::lock_guard lock(mutex_);
  if (state_.size() != entries.size()) {
    return std::any_of(entries.begin(), entries.end(), [](const Entry& e) { return e.pending; });
  }
  return std::any_of(state_.begin(), state_.end(), [](State s) { return s != State::kTaken; });
}

void PendingPictures::Release() {
  {
    std::lock_guard lock(mutex_);
    held_ = false;
  }
  released_.notify_all();
}

void PendingPictures::Stop() {
  {
    std::lock_guard lock(mutex_);
    stopping_ = true;
  }
  released_.notify_all();
  if (thread_.joinable()) thread_.join();
  std::lock_guard lock(mutex_);
  stopping_ = false;
}

std::string BudgetMessage(std::int64_t budget_bytes, const std::filesystem::path& first_left_out) {
  return "The skin's pictures need more than " + std::to_string(budget_bytes / (1024 * 1024)) +
         " MB of memory in all; from \"" + first_left_out.string() +
         "\" on, they are shown as placeholders.";
}

}  // namespace tiko
