#include "input/gamepad/joystick_watch.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace tiko {
namespace {

bool AnyJsNode(const QString& input) {
  return !QDir(input).entryList({QStringLiteral("js*")}, QDir::System | QDir::Files).isEmpty();
}

// udev writes a device's properties to c<major>:<minor>; input devices have major 13.
bool AnyUdevJoystick(const QString& udev_data) {
  const QDir dir(udev_data);
  for (const QString& name : dir.entryList({QStringLiteral("c13:*")}, QDir::Files)) {
    QFile file(dir.filePath(name));
    if (!file.open(QIODevice::ReadOnly)) continue;
    // A device's data is a few hundred bytes; the property is a line of it.
    const QByteArray data = file.read(64 * 1024);
    if (data.startsWith("E:ID_INPUT_JOYSTICK=1\n") || data.contains("\nE:ID_INPUT_JOYSTICK=1\n")) {
      return true;
    }
  }
  return false;
}

}  // namespace

JoystickWatch::JoystickWatch(std::function<void()> changed, JoystickPlaces places)
    : changed_(std::move(changed)), places_(std::move(places)) {
  connect(&watcher_, &QFileSystemWatcher::directoryChanged, this, [this] {
    const bool was = present_;
    Look();
    if (present_ != was && changed_) changed_();
  });
  Look();
}

void JoystickWatch::Look() {
  Watch();
  present_ = AnyJsNode(places_.input) || AnyUdevJoystick(places_.udev_data);
}

// A folder that is not there yet is watched for through its parent.
void JoystickWatch::Watch() {
  QStringList wanted;
  for (const QString& place : {places_.input, places_.udev_data}) {
    QString dir = place;
    while (!QFileInfo(dir).isDir() && dir != QFileInfo(dir).path()) dir = QFileInfo(dir).path();
    if (!wanted.contains(dir)) wanted << dir;
  }
  const QStringList watched = watcher_.directories();
  for (const QString& dir : watched) {
    if (!wanted.contains(dir)) watcher_.removePath(dir);
  }
  for (const QString& dir : wanted) {
    if (!watched.contains(dir)) watcher_.addPath(dir);
  }
}

}  // namespace tiko
