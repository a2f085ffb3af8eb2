#include "display/composed_pieces.h"

#include <algorithm>

namespace tiko {

void ComposedPieces::Keep(QRect rect, QImage part, const ComposedLook& look) {
  if (!(look == look_)) {
    pieces_.clear();
    look_ = look;
  }
  std::erase_if(pieces_, [&](const Piece& piece) { return piece.rect.intersects(rect); });
  pieces_.push_back({rect, std::move(part)});
}

const QImage* ComposedPieces::Covering(QRect rect, const ComposedLook& look, QPoint* origin) const {
  if (!(look == look_)) return nullptr;
  for (const Piece& piece : pieces_) {
    if (piece.rect.contains(rect)) {
      *origin = piece.rect.topLeft();
      return &piece.part;
    }
  }
  return nullptr;
}

}  // namespace tiko
