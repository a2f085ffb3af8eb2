// The places composed for the window's outline, kept until the paint that
// shows them: each changed place is composed once, not once for the outline
// and again for the paint. Nothing is kept past that paint.
#pragma once

#include <QImage>
#include <QRect>
#include <QRgb>
#include <vector>

#include "display/frame_painter.h"

namespace tiko {

// Everything besides the scene that decides a composed place's pixels.
struct ComposedLook {
  FrameLook look;
  bool clear_key = false;  // the key colour made see-through
  QRgb key = 0;
  bool operator==(const ComposedLook& other) const {
    return look.client == other.look.client && look.background == other.look.background &&
           look.backdrop_stretch == other.look.backdrop_stretch && look.scale == other.look.scale &&
           clear_key == other.clear_key && key == other.key;
  }
};

class ComposedPieces {
 public:
  // A place just composed from the scene; kept places it overlaps are dropped.
  void Keep(QRect rect, QImage part, const ComposedLook& look);
  // The kept picture holding all of `rect` as composed with `look`, and the
  // place of its top-left corner; null when there is none.
  const QImage* Covering(QRect rect, const ComposedLook& look, QPoint* origin) const;
  void Clear() { pieces_.clear(); }

 private:
  struct Piece {
    QRect rect;
    QImage part;
  };
  std::vector<Piece> pieces_;
  ComposedLook look_;
};

}  // namespace tiko
