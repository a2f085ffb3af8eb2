// The pictures of the splash window, the about box and the manual viewer's
// buttons, and the in-game menu picture drawn in code.
#pragma once

#include <QImage>
#include <QPixmap>

namespace tiko {

enum class ShellPicture {
  kSplashBackground,
  kSplashBox,
  kPlay,
  kPlayDisabled,
  kDonate,
  kAboutPicture,
  kManualLeftUp,
  kManualLeftDown,
  kManualRightUp,
  kManualRightDown,
  kManualCloseUp,
  kManualCloseDown,
};

QPixmap ShellPixmap(ShellPicture which);

// 256 x 512: an opaque black title band 32 high with a white three-bar symbol
// and "Game menu", below it black at 80 % opacity.
QImage GameMenuPicture();

}  // namespace tiko
