// The skin's pictures that no image has shown for a while are let go: each is
// kept deflated, the very pixels it had, and inflated again when an image
// shows it or the window needs every picture (a new scale, a new skin), so
// that what is drawn never changes. At a scale other than 100 % the pictures
// at 100 % are not drawn at all, and are let go the same way.
#pragma once

#include <QByteArray>
#include <QImage>
#include <QTimer>
#include <array>
#include <bitset>
#include <chrono>
#include <cstdint>
#include <functional>

#include "display/frame_painter.h"

namespace tiko {

// One picture deflated, and back.
class DeflatedPicture {
 public:
  DeflatedPicture() = default;
  explicit DeflatedPicture(const QImage& picture);
  QImage Inflate() const;
  bool Empty() const { return data_.isEmpty(); }
  std::int64_t Bytes() const { return data_.size(); }

 private:
  QByteArray data_;
  QSize size_;
  QImage::Format format_ = QImage::Format_Invalid;
  qreal ratio_ = 1.0;
};

class PictureShelf : public QObject {
 public:
  // `loaded` holds the pictures at 100 %, `drawn` their copies at the scale
  // drawn (the same data at 100 %); `may_let_go` tells when they may be let go.
  PictureShelf(std::array<QImage, kImageEnd>& loaded, PictureTable& drawn,
               std::function<bool()> may_let_go);

  // How long a picture stays after it was last shown; 10 s unless changed.
  void SetKeep(std::chrono::milliseconds keep) { keep_ = keep; }
  // Pictures smaller than this are kept: their deflated copy would save little.
  static constexpr std::int64_t kSmallest = 16 * 1024;

  // Before a frame of `scene` is drawn: brings back the pictures it shows and
  // notes when pictures stopped being shown.
  void Showing(const Scene& scene);
  // Brings back every picture at 100 % and forgets the copies drawn that were
  // let go: before those copies are all made anew (a new scale, a new skin).
  void TakeLoadedBack();
  // Lets go now of every picture not shown for the keep; what the timer does.
  void LetGo();
  bool Shelved(ImageId id) const { return !shelf_[id].loaded.Empty() || !shelf_[id].drawn.Empty(); }
  // The deflated copies' bytes.
  std::int64_t Bytes() const;
  // Called after pictures were let go.
  std::function<void()> let_go;

 private:
  struct Entry {
    DeflatedPicture loaded;
    DeflatedPicture drawn;
    bool shared = false;  // the drawn copy is the loaded one
  };
  using Clock = std::chrono::steady_clock;
  std::bitset<kImageEnd> ShownPictures(const Scene& scene) const;
  // The copy drawn (and at 100 % the picture, which is the same).
  void TakeBack(ImageId id);
  bool Worth(ImageId id) const;

  std::array<QImage, kImageEnd>& loaded_;
  PictureTable& drawn_;
  std::function<bool()> may_let_go_;
  std::array<Entry, kImageEnd> shelf_;
  std::array<Clock::time_point, kImageEnd> last_shown_{};
  std::bitset<kImageEnd> shown_;
  bool counting_ = false;  // last_shown_ counts since the pictures were last all back
  std::chrono::milliseconds keep_{10000};
  QTimer timer_;
};

}  // namespace tiko
