#include "app/shell/shell_pictures.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

namespace tiko {

namespace {

const QColor kNavy(8, 41, 82);

QPixmap Canvas(int w, int h, QColor fill = Qt::transparent) {
  QPixmap p(w, h);
  p.fill(fill);
  return p;
}

QPixmap SplashBackground() {
  QPixmap p = Canvas(460, 420, Qt::white);
  QPainter g(&p);
  g.setRenderHint(QPainter::Antialiasing);
  QLinearGradient band(0, 0, 0, 52);
  band.setColorAt(0, QColor(24, 82, 148));
  band.setColorAt(1, kNavy);
  g.fillRect(0, 0, 460, 52, band);
  QLinearGradient paper(0, 216, 0, 380);
  paper.setColorAt(0, QColor(236, 242, 250));
  paper.setColorAt(1, Qt::white);
  g.fillRect(0, 216, 460, 164, paper);
  g.fillRect(0, 52, 460, 4, QColor(240, 190, 40));
  g.fillRect(0, 216, 460, 4, QColor(240, 190, 40));
  g.fillRect(0, 380, 460, 40, kNavy);
  return p;
}

void DrawVine(QPainter& g, qreal x, qreal top, qreal bottom) {
  QPainterPath vine;
  vine.moveTo(x, top);
  for (qreal y = top; y < bottom; y += 24) vine.quadTo(x + 8, y + 12, x, y + 24);
  g.setPen(QPen(QColor(40, 110, 40), 4));
  g.drawPath(vine);
  g.setBrush(QColor(70, 150, 60));
  g.setPen(Qt::NoPen);
  for (qreal y = top + 10; y < bottom; y += 24) g.drawEllipse(QPointF(x + 9, y), 7, 4);
}

void DrawCrow(QPainter& g, QPointF at) {
  g.setPen(Qt::NoPen);
  g.setBrush(QColor(25, 25, 30));
  g.drawEllipse(at, 11, 7);
  g.drawEllipse(at + QPointF(10, -6), 5, 5);
  QPainterPath beak;
  beak.moveTo(at + QPointF(14, -7));
  beak.lineTo(at + QPointF(21, -5));
  beak.lineTo(at + QPointF(14, -3));
  g.setBrush(QColor(240, 170, 30));
  g.drawPath(beak);
}

QPixmap SplashBox() {
  QPixmap p = Canvas(460, 160);
  QPainter g(&p);
  g.setRenderHint(QPainter::Antialiasing);
  // The unit, closed, with its lid drawing.
  QRectF unit(150, 8, 160, 144);
  QLinearGradient body(unit.topLeft(), unit.bottomRight());
  body.setColorAt(0, QColor(250, 214, 90));
  body.setColorAt(1, QColor(214, 150, 30));
  g.setPen(QPen(QColor(120, 80, 10), 2));
  g.setBrush(body);
  g.drawRoundedRect(unit, 10, 10);
  QRectF screen(166, 24, 128, 84);
  QLinearGradient sky(screen.topLeft(), screen.bottomLeft());
  sky.setColorAt(0, QColor(150, 210, 240));
  sky.setColorAt(1, QColor(210, 240, 200));
  g.setBrush(sky);
  g.setPen(QPen(QColor(60, 40, 10), 2));
  g.drawRoundedRect(screen, 4, 4);
  g.save();
  g.setClipRect(screen.adjusted(2, 2, -2, -2));
  DrawVine(g, 180, 24, 108);
  DrawVine(g, 204, 24, 108);
  DrawCrow(g, QPointF(190, 60));
  g.setBrush(QColor(150, 90, 40));
  g.drawEllipse(QPointF(262, 74), 14, 16);  // Garu in his cage
  g.setPen(QPen(QColor(80, 80, 80), 2));
  for (int x = 246; x <= 278; x += 8) g.drawLine(x, 54, x, 94);
  g.restore();
  g.setPen(QColor(60, 40, 10));
  QFont f("Arial");
  f.setPixelSize(11);
  f.setBold(true);
  g.setFont(f);
  g.drawText(QRectF(150, 112, 160, 16), Qt::AlignCenter, "BOLO GARU TIKO");
  f.setPixelSize(9);
  f.setBold(false);
  g.setFont(f);
  g.drawText(QRectF(150, 128, 160, 14), Qt::AlignCenter, "TICKLET SKYGLASS");
  // Scenery on both sides.
  DrawVine(g, 40, 0, 160);
  DrawVine(g, 80, 10, 160);
  DrawVine(g, 380, 0, 160);
  DrawVine(g, 420, 10, 160);
  DrawCrow(g, QPointF(100, 40));
  DrawCrow(g, QPointF(340, 100));
  return p;
}

QPixmap PillButton(const QString& text, QColor top, QColor bottom, QColor ink) {
  QPixmap p = Canvas(107, 30);
  QPainter g(&p);
  g.setRenderHint(QPainter::Antialiasing);
  QLinearGradient fill(0, 0, 0, 30);
  fill.setColorAt(0, top);
  fill.setColorAt(1, bottom);
  g.setPen(QPen(bottom.darker(160), 1.5));
  g.setBrush(fill);
  g.drawRoundedRect(QRectF(1, 1, 105, 28), 13, 13);
  QFont f("Arial");
  f.setPixelSize(15);
  f.setBold(true);
  g.setFont(f);
  g.setPen(ink);
  g.drawText(QRectF(0, 0, 107, 30), Qt::AlignCenter, text);
  return p;
}

QPixmap AboutPicture() {
  QPixmap p = Canvas(116, 160, QColor(24, 82, 148));
  QPainter g(&p);
  g.setRenderHint(QPainter::Antialiasing);
  g.setPen(QPen(Qt::white, 2));
  g.setBrush(Qt::NoBrush);
  g.drawRect(QRectF(1, 1, 114, 158));
  // A stand-in portrait: the unit with its lid open.
  g.setBrush(QColor(250, 214, 90));
  g.setPen(QPen(QColor(120, 80, 10), 2));
  g.drawRoundedRect(QRectF(18, 20, 80, 56), 6, 6);
  g.drawRoundedRect(QRectF(18, 80, 80, 56), 6, 6);
  g.setBrush(QColor(210, 240, 200));
  g.drawRect(QRectF(28, 30, 60, 36));
  g.setBrush(QColor(200, 40, 40));
  g.drawEllipse(QPointF(38, 108), 9, 9);
  g.drawEllipse(QPointF(80, 112), 7, 7);
  DrawCrow(g, QPointF(50, 48));
  g.setPen(Qt::white);
  QFont f("Arial");
  f.setPixelSize(10);
  f.setBold(true);
  g.setFont(f);
  g.drawText(QRectF(0, 140, 116, 16), Qt::AlignCenter, "TIKO PROJECT");
  return p;
}

QPixmap ManualButton(int glyph, bool pressed) {
  QPixmap p = Canvas(16, 14);
  QPainter g(&p);
  g.setRenderHint(QPainter::Antialiasing);
  g.setPen(QPen(pressed ? QColor(40, 40, 40) : QColor(90, 90, 90), 1));
  g.setBrush(pressed ? QColor(24, 82, 148) : QColor(235, 235, 235));
  g.drawRoundedRect(QRectF(0.5, 0.5, 15, 13), 3, 3);
  QColor ink = pressed ? Qt::white : kNavy;
  QPainterPath mark;
  switch (glyph) {
    case 0:  // left
      mark.moveTo(10, 3);
      mark.lineTo(5, 7);
      mark.lineTo(10, 11);
      break;
    case 1:  // right
      mark.moveTo(6, 3);
      mark.lineTo(11, 7);
      mark.lineTo(6, 11);
      break;
    default:  // close
      mark.moveTo(5, 4);
      mark.lineTo(11, 10);
      mark.moveTo(11, 4);
      mark.lineTo(5, 10);
  }
  g.setBrush(Qt::NoBrush);
  g.setPen(QPen(ink, 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  g.drawPath(mark);
  return p;
}

}  // namespace

QPixmap ShellPixmap(ShellPicture which) {
  switch (which) {
    case ShellPicture::kSplashBackground:
      return SplashBackground();
    case ShellPicture::kSplashBox:
      return SplashBox();
    case ShellPicture::kPlay:
      return PillButton("PLAY", QColor(110, 200, 90), QColor(30, 120, 40), Qt::white);
    case ShellPicture::kPlayDisabled:
      return PillButton("PLAY", QColor(225, 225, 225), QColor(170, 170, 170),
                        QColor(130, 130, 130));
    case ShellPicture::kDonate:
      return PillButton("DONATE", QColor(255, 215, 90), QColor(220, 150, 20), kNavy);
    case ShellPicture::kAboutPicture:
      return AboutPicture();
    case ShellPicture::kManualLeftUp:
      return ManualButton(0, false);
    case ShellPicture::kManualLeftDown:
      return ManualButton(0, true);
    case ShellPicture::kManualRightUp:
      return ManualButton(1, false);
    case ShellPicture::kManualRightDown:
      return ManualButton(1, true);
    case ShellPicture::kManualCloseUp:
      return ManualButton(2, false);
    case ShellPicture::kManualCloseDown:
      return ManualButton(2, true);
  }
  return {};
}

}  // namespace tiko
