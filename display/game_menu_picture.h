// The in-game menu's picture: a black title band with the menu symbol and the
// words "Game menu", over a translucent black panel.
#pragma once

#include <QImage>

namespace tiko {

QImage GameMenuPicture(double scale = 1.0);

}  // namespace tiko
