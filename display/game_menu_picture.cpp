#include "display/game_menu_picture.h"

#include <QFont>
#include <QPainter>

#include "display/picture_scaling.h"

namespace tiko {

QImage GameMenuPicture(double scale) {
  QImage picture(ScaledSize(QSize(256, 512), scale), QImage::Format_ARGB32_Premultiplied);
  picture.fill(QColor(0, 0, 0, 204));
  QPainter painter(&picture);
  painter.scale(static_cast<double>(picture.width()) / 256,
                static_cast<double>(picture.height()) / 512);
  painter.fillRect(0, 0, 256, 32, Qt::black);
  // The three-bar symbol, within the 36 x 32 click area.
  for (int bar = 0; bar < 3; ++bar) painter.fillRect(9, 9 + bar * 6, 18, 3, Qt::white);
  QFont font(QStringLiteral("Arial"));
  font.setPixelSize(16);
  painter.setFont(font);
  painter.setPen(Qt::white);
  painter.drawText(QRect(40, 0, 216, 32), Qt::AlignVCenter | Qt::AlignLeft,
                   QStringLiteral("Game menu"));
  return picture;
}

}  // namespace tiko
