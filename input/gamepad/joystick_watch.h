// Whether a joystick device may be present, known without SDL and without
// polling: the input device folder and udev's device data are watched through
// inotify, and looked into only when they change.
#pragma once

#include <QFileSystemWatcher>
#include <QObject>
#include <QString>
#include <functional>

namespace tiko {

struct JoystickPlaces {
  QString input = QStringLiteral("/dev/input");          // js* nodes (the joydev driver)
  QString udev_data = QStringLiteral("/run/udev/data");  // c13:N files of input devices
};

class JoystickWatch : public QObject {
 public:
  // `changed` is told when Present() may have changed.
  explicit JoystickWatch(std::function<void()> changed, JoystickPlaces places = {});

  // A js* node, or an input device that udev marks ID_INPUT_JOYSTICK=1.
  bool Present() const { return present_; }

 private:
  void Look();
  void Watch();

  std::function<void()> changed_;
  JoystickPlaces places_;
  QFileSystemWatcher watcher_;
  bool present_ = false;
};

}  // namespace tiko
