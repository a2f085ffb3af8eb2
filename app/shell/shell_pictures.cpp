#include "app/shell/shell_pictures.h"

#include <QEvent>
#include <QGuiApplication>
#include <QImage>
#include <QLabel>
#include <algorithm>
#include <cmath>

#include "assets/ui/ui_resources.h"

namespace tiko {

namespace {

const ui::UiPicture& Resource(ShellPicture which) {
  switch (which) {
    case ShellPicture::kSplashBackground:
      return ui::splash_background;
    case ShellPicture::kSplashBox:
      return ui::splash_box;
    case ShellPicture::kPlay:
      return ui::splash_play;
    case ShellPicture::kPlayDisabled:
      return ui::splash_play_disabled;
    case ShellPicture::kDonate:
      return ui::splash_donate;
    case ShellPicture::kAboutPicture:
      return ui::about_picture;
    case ShellPicture::kManualLeftUp:
      return ui::manual_left_up;
    case ShellPicture::kManualLeftDown:
      return ui::manual_left_down;
    case ShellPicture::kManualRightUp:
      return ui::manual_right_up;
    case ShellPicture::kManualRightDown:
      return ui::manual_right_down;
    case ShellPicture::kManualCloseUp:
      return ui::manual_close_up;
    case ShellPicture::kManualCloseDown:
      return ui::manual_close_down;
  }
  return ui::splash_background;
}

class PixmapOnShow : public QObject {
 public:
  PixmapOnShow(QLabel* label, ShellPicture which) : QObject(label), which_(which) {
    label->installEventFilter(this);
  }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    auto* label = static_cast<QLabel*>(watched);
    if (event->type() == QEvent::Show) label->setPixmap(ShellPixmap(which_));
    if (event->type() == QEvent::Hide) label->clear();
    return false;
  }

 private:
  ShellPicture which_;
};

}  // namespace

void SetPixmapWhenShown(QLabel* label, ShellPicture which) {
  new PixmapOnShow(label, which);
}

QPixmap ShellPixmap(ShellPicture which) {
  const ui::UiPicture& picture = Resource(which);
  const QString path =
      QString::fromUtf8(picture.path.data(), static_cast<int>(picture.path.size()));
  const double ratio = qApp ? qApp->devicePixelRatio() : 1.0;
  if (ratio <= 1.0) return QPixmap(path);
  // The drawing at the screen's resolution: its @2x or @3x rendering, reduced
  // to the ratio by area-averaging where the ratio lies between.
  const int variant = std::min(3, static_cast<int>(std::ceil(ratio)));
  QString variant_path = path;
  variant_path.insert(path.lastIndexOf('.'), QStringLiteral("@%1x").arg(variant));
  QImage image(variant_path);
  if (image.isNull()) return QPixmap(path);
  const QSize size(static_cast<int>(std::lround(picture.width * ratio)),
                   static_cast<int>(std::lround(picture.height * ratio)));
  if (image.size() != size) {
    image = image.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
  }
  image.setDevicePixelRatio(ratio);
  return QPixmap::fromImage(image);
}

}  // namespace tiko
