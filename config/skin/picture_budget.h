// The memory the pictures of one skin may take in all: every decoded copy at
// 100 %, every copy brought to the window's scale (display/picture_scaling),
// and while one is made, its file's bytes, a variant decoded for it and the
// decoder's own buffers. A skin of many huge pictures, each within the limits
// of one picture, must not take the machine's memory: past the budget the
// rest of the skin's pictures are placeholders, and the player is told which
// picture was the first left out.
#pragma once

#include <QImage>
#include <QSize>
#include <cstdint>
#include <deque>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "config/picture/picture.h"

namespace tiko {

inline constexpr std::int64_t kSkinPictureBudget = std::int64_t{256} * 1024 * 1024;

// The bytes a picture of this size takes decoded, 4 a pixel.
inline std::int64_t PictureBytes(QSize size) {
  return std::int64_t{size.width()} * size.height() * 4;
}

class PictureBudget {
 public:
  explicit PictureBudget(std::int64_t bytes = kSkinPictureBudget) : total_(bytes), left_(bytes) {}

  // The decoded picture, premultiplied, or nullopt when it does not fit in what is left (or
  // an earlier one did not): the file's bytes, the picture and its decoder's
  // buffers must fit together. Other failures throw as LoadPicture does.
  std::optional<QImage> Load(const std::filesystem::path& file);

  // Decodes `files` on every core ahead of the Loads that follow, which must
  // name them in the same order (a Load of another file drops what is left).
  // Each picture's size is read from its header first, and only those that
  // fit in what would be left are decoded ahead; any other outcome, errors
  // included, is left to its Load, so the result is the same as without.
  void Prefetch(const std::vector<std::filesystem::path>& files);

  // The limits a Load of `file` would decode it with now, and what is left
  // after it as if that Load kept a picture of its header's size; nullopt
  // when that cannot be told without decoding (no readable header, or a
  // picture the budget cannot hold): a Load must decide.
  std::optional<PictureLimits> Plan(const std::filesystem::path& file);

  std::int64_t Total() const { return total_; }
  // The message for the player once the budget ran out, or "".
  std::string Message() const;

 private:
  struct Ahead {
    std::filesystem::path file;
    QImage picture;  // null: decoded by its Load
  };
  std::optional<QImage> Take(const std::filesystem::path& file);

  std::deque<Ahead> ahead_;
  std::int64_t total_;
  std::int64_t left_;
  std::filesystem::path first_left_out_;
};

}  // namespace tiko
