#include "display/picture_shelf.h"

#include <algorithm>
#include <cstring>
#include <utility>

#ifdef __GLIBC__
#include <malloc.h>
#endif

namespace tiko {

namespace {

// Deflating is done once a picture goes; inflating must be quick when one is shown.
constexpr int kDeflateLevel = 1;

bool SameData(const QImage& a, const QImage& b) {
  return !a.isNull() && !b.isNull() && a.constBits() == b.constBits();
}

}  // namespace

DeflatedPicture::DeflatedPicture(const QImage& picture)
    : data_(qCompress(picture.constBits(), picture.sizeInBytes(), kDeflateLevel)),
      size_(picture.size()),
      format_(picture.format()),
      ratio_(picture.devicePixelRatio()) {
  // qCompress leaves room for a picture that does not deflate at all.
  data_.squeeze();
}

QImage DeflatedPicture::Inflate() const {
  const QByteArray bits = qUncompress(data_);
  QImage picture(size_, format_);
  if (picture.isNull()) return picture;
  // Short only when memory ran out: clear rather than unset pixels then.
  if (bits.size() != picture.sizeInBytes()) picture.fill(0);
  std::memcpy(picture.bits(), bits.constData(),
              static_cast<std::size_t>(std::min<qsizetype>(bits.size(), picture.sizeInBytes())));
  picture.setDevicePixelRatio(ratio_);
  return picture;
}

PictureShelf::PictureShelf(std::array<QImage, kImageEnd>& loaded, PictureTable& drawn,
                           std::function<bool()> may_let_go)
    : loaded_(loaded), drawn_(drawn), may_let_go_(std::move(may_let_go)) {
  timer_.setSingleShot(true);
  connect(&timer_, &QTimer::timeout, this, [this] { LetGo(); });
}

std::bitset<kImageEnd> PictureShelf::ShownPictures(const Scene& scene) const {
  std::bitset<kImageEnd> shown;
  for (int id = 1; id < kImageEnd; ++id) {
    const Image& image = scene[static_cast<ImageId>(id)];
    if (image.visible && image.picture != kNoImage) shown[image.picture] = true;
  }
  return shown;
}

void PictureShelf::Showing(const Scene& scene) {
  const std::bitset<kImageEnd> shown = ShownPictures(scene);
  const std::bitset<kImageEnd> gone = shown_ & ~shown;
  const Clock::time_point now = Clock::now();
  for (int id = 1; id < kImageEnd; ++id) {
    if (shown[id] && drawn_[id].isNull() && Shelved(static_cast<ImageId>(id)))
      TakeBack(static_cast<ImageId>(id));
    // A picture not yet shown counts from the first frame after all came back.
    if (gone[id] || (!counting_ && !shown[id])) last_shown_[id] = now;
  }
  shown_ = shown;
  // Something may go once it has not been shown for a while.
  if ((gone.any() || !counting_) && !timer_.isActive()) timer_.start(keep_);
  counting_ = true;
}

bool PictureShelf::Worth(ImageId id) const {
  const QImage& loaded = loaded_[id];
  const QImage& drawn = drawn_[id];
  std::int64_t bytes = loaded.sizeInBytes();
  if (!SameData(loaded, drawn)) bytes += drawn.sizeInBytes();
  return bytes >= kSmallest;
}

void PictureShelf::LetGo() {
  if (!may_let_go_()) {
    timer_.start(keep_);
    return;
  }
  const Clock::time_point now = Clock::now();
  Clock::time_point next = Clock::time_point::max();
  bool gone = false;
  for (int n = 1; n < kImageEnd; ++n) {
    const auto id = static_cast<ImageId>(n);
    if (!Worth(id)) continue;
    QImage& loaded = loaded_[id];
    QImage& drawn = drawn_[id];
    Entry& entry = shelf_[id];
    if (shown_[id]) {
      // Shown at another scale than 100 %: the picture at 100 % is not drawn.
      if (!loaded.isNull() && !drawn.isNull() && !SameData(loaded, drawn)) {
        gone = true;
        entry.loaded = DeflatedPicture(loaded);
        loaded = QImage();
      }
      continue;
    }
    if (now - last_shown_[id] < keep_) {
      next = std::min(next, last_shown_[id] + keep_);
      continue;
    }
    gone = true;
    entry.shared = SameData(loaded, drawn);
    if (!loaded.isNull() && entry.loaded.Empty()) entry.loaded = DeflatedPicture(loaded);
    if (!drawn.isNull() && !entry.shared) entry.drawn = DeflatedPicture(drawn);
    loaded = QImage();
    drawn = QImage();
  }
  if (gone) {
#ifdef __GLIBC__
    // The pictures were decoded among other allocations, many on another
    // thread's arena: the allocator keeps what they freed unless asked.
    malloc_trim(0);
#endif
    if (let_go) let_go();
  }
  if (next != Clock::time_point::max()) {
    timer_.start(std::chrono::duration_cast<std::chrono::milliseconds>(next - now) +
                 std::chrono::milliseconds(1));
  }
}

void PictureShelf::TakeBack(ImageId id) {
  Entry& entry = shelf_[id];
  if (entry.shared) {
    loaded_[id] = drawn_[id] = entry.loaded.Inflate();
    entry = Entry{};
    return;
  }
  if (!entry.drawn.Empty()) drawn_[id] = entry.drawn.Inflate();
  entry.drawn = DeflatedPicture();
}

void PictureShelf::TakeLoadedBack() {
  for (int id = 1; id < kImageEnd; ++id) {
    Entry& entry = shelf_[id];
    if (!entry.loaded.Empty()) {
      loaded_[id] = entry.loaded.Inflate();
      if (entry.shared) drawn_[id] = loaded_[id];
    }
    entry = Entry{};
  }
  // What was let go may go again once it has not been shown for a while.
  counting_ = false;
}

std::int64_t PictureShelf::Bytes() const {
  std::int64_t bytes = 0;
  for (const Entry& entry : shelf_) bytes += entry.loaded.Bytes() + entry.drawn.Bytes();
  return bytes;
}

}  // namespace tiko
