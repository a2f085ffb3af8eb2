#include "config/skin/picture_budget.h"

#include <algorithm>

#include "config/picture/picture.h"

namespace tiko {

std::optional<QImage> PictureBudget::Load(const std::filesystem::path& file) {
  if (!first_left_out_.empty()) return std::nullopt;
  constexpr std::int64_t kBytesPerPixel = 4;
  const PictureLimits whole;
  PictureLimits limits;
  // A picture beyond what is left is refused from its header, before its pixels take memory.
  limits.max_pixels = std::min(whole.max_pixels, left_ / kBytesPerPixel);
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

std::string PictureBudget::Message() const {
  if (first_left_out_.empty()) return {};
  return "The skin's pictures need more than " + std::to_string(total_ / (1024 * 1024)) +
         " MB of memory in all; from \"" + first_left_out_.string() +
         "\" on, they are shown as placeholders.";
}

}  // namespace tiko
