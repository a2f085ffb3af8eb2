// The pictures of the splash window, the about box and the manual viewer's
// buttons.
#pragma once

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

}  // namespace tiko
