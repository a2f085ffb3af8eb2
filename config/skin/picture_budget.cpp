#include "config/skin/picture_budget.h"

#include <algorithm>
#include <atomic>
#include <climits>
#include <thread>

#include "config/picture/picture.h"
#include "config/skin/pending_pictures.h"

namespace tiko {

namespace {

constexpr std::int64_t kBytesPerPixel = 4;
// Pictures larger than this are not decoded ahead: a skin's pictures are far
// smaller, and one of this size gains little from another core.
constexpr std::int64_t kMostBytesAhead = std::int64_t{32} * 1024 * 1024;

// The bytes a picture will take, from its header alone; 0 when the header
// does not say (the picture's own Load then finds out why).
std::int64_t HeaderBytes(const std::filesystem::path& file) {
  const std::optional<QSize> size = PictureFileSize(file);
  const PictureLimits whole;
  if (!size || size->width() > whole.max_side || size->height() > whole.max_side ||
      std::int64_t{size->width()} * size->height() > whole.max_pixels) {
    return 0;
  }
  return PictureBytes(*size);
}

std::int64_t FileBytes(const std::filesystem::path& file) {
  std::error_code error;
  const std::uintmax_t bytes = std::filesystem::file_size(file, error);
  return error ? 0 : static_cast<std::int64_t>(std::min<std::uintmax_t>(bytes, INT64_MAX));
}

}  // namespace

void PictureBudget::Prefetch(const std::vector<std::filesystem::path>& files) {
  ahead_.clear();
  std::int64_t left = left_;
  std::vector<std::size_t> planned;
  for (const std::filesystem::path& file : files) {
    ahead_.push_back({file, {}});
    if (!first_left_out_.empty() || left <= 0) continue;
    const std::int64_t bytes = HeaderBytes(file);
    // Its file is read at the same time as the others'.
    const std::int64_t peak = bytes + FileBytes(file);
    if (bytes <= 0 || peak > left || bytes > kMostBytesAhead) {
      left = 0;  // from here on the Loads decide, in order
      continue;
    }
    left -= peak;
    planned.push_back(ahead_.size() - 1);
  }
  std::atomic<std::size_t> next{0};
  auto work = [&] {
    for (std::size_t i; (i = next++) < planned.size();) {
      Ahead& a = ahead_[planned[i]];
      try {
        // Only what the plan counted: a picture that needs working memory
        // of its decoder besides is left to its Load.
        PictureLimits limits;
        limits.max_decode_bytes = HeaderBytes(a.file);
        a.picture = LoadPicture(a.file, limits);
        a.picture.convertTo(QImage::Format_ARGB32_Premultiplied);
      } catch (const UnitError&) {
        a.picture = QImage();
      }
    }
  };
  const unsigned helpers =
      std::min<unsigned>(std::max(1u, std::thread::hardware_concurrency()), 8) - 1;
  std::vector<std::thread> threads;
  for (unsigned t = 0; t < helpers && t + 1 < planned.size(); ++t) threads.emplace_back(work);
  work();
  for (std::thread& t : threads) t.join();
}

std::optional<QImage> PictureBudget::Take(const std::filesystem::path& file) {
  if (ahead_.empty()) return std::nullopt;
  if (ahead_.front().file != file) {
    ahead_.clear();
    return std::nullopt;
  }
  QImage picture = std::move(ahead_.front().picture);
  ahead_.pop_front();
  if (picture.isNull()) return std::nullopt;
  return picture;
}

std::optional<QImage> PictureBudget::Load(const std::filesystem::path& file) {
  if (!first_left_out_.empty()) return std::nullopt;
  // The file is read whole before it is decoded: its bytes, the decoded
  // picture and the decoder's work must all fit in what is left.
  const std::int64_t file_bytes = FileBytes(file);
  if (std::optional<QImage> ready = Take(file)) {
    const std::int64_t bytes = static_cast<std::int64_t>(ready->sizeInBytes());
    if (file_bytes < left_ && bytes <= left_ - file_bytes) {
      left_ -= bytes;
      return ready;
    }
  }
  const PictureLimits whole;
  if (file_bytes >= left_ && file_bytes <= static_cast<std::int64_t>(whole.max_file_bytes)) {
    first_left_out_ = file;
    return std::nullopt;
  }
  PictureLimits limits;
  // A picture beyond what is left is refused from its header, before its pixels take memory.
  limits.max_decode_bytes = std::max<std::int64_t>(0, left_ - file_bytes);
  limits.max_pixels = std::min(whole.max_pixels, limits.max_decode_bytes / kBytesPerPixel);
  try {
    QImage picture = LoadPicture(file, limits);
    // Kept in the form it is drawn, converted in place: at 100 % the window
    // draws this very copy.
    picture.convertTo(QImage::Format_ARGB32_Premultiplied);
    left_ -= static_cast<std::int64_t>(picture.sizeInBytes());
    return picture;
  } catch (const PictureTooLarge& e) {
    const bool within_one_picture = e.width > 0 && e.height > 0 && e.width <= whole.max_side &&
                                    e.height <= whole.max_side &&
                                    e.width * e.height <= whole.max_pixels;
    if (!within_one_picture) throw;
    first_left_out_ = file;
    return std::nullopt;
  }
}

std::optional<PictureLimits> PictureBudget::Plan(const std::filesystem::path& file) {
  if (!first_left_out_.empty()) return std::nullopt;
  const std::int64_t file_bytes = FileBytes(file);
  const std::int64_t bytes = HeaderBytes(file);
  if (bytes <= 0 || file_bytes >= left_) return std::nullopt;
  // As Load sets them.
  const PictureLimits whole;
  PictureLimits limits;
  limits.max_decode_bytes = left_ - file_bytes;
  limits.max_pixels = std::min(whole.max_pixels, limits.max_decode_bytes / kBytesPerPixel);
  if (bytes > limits.max_decode_bytes) return std::nullopt;
  left_ -= bytes;
  return limits;
}

std::string PictureBudget::Message() const {
  if (first_left_out_.empty()) return {};
  return BudgetMessage(total_, first_left_out_);
}

}  // namespace tiko
