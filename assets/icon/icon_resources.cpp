#include "assets/icon/icon_resources.h"

namespace tiko {

QIcon ProgramIcon() {
  QIcon icon;
  for (int size : {16, 24, 32, 48, 64, 128, 256, 512}) {
    icon.addFile(QStringLiteral(":/icon/%1/tiko.png").arg(size), QSize(size, size));
  }
  return icon;
}

}  // namespace tiko
