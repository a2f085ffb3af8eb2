// The pictures of the splash window, the about box and the manual viewer's
// buttons.
#pragma once

#include <QPixmap>

class QLabel;

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

// Gives `label` its picture whenever it is shown and drops it when hidden:
// the pictures of a window that may never open are not decoded at start, and
// those of a closed window are not kept.
void SetPixmapWhenShown(QLabel* label, ShellPicture which);

}  // namespace tiko
