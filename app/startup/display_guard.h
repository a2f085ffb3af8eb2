// Without a display Qt aborts inside the application object's constructor,
// after a few lines of its own; the player gets one line and status 1 instead.
#pragma once

#include <QString>
#include <QtGlobal>
#include <vector>

namespace tiko {

class DisplayGuard {
 public:
  DisplayGuard();   // from here until Release(), Qt's messages are held back
  ~DisplayGuard();  // same as Release()
  DisplayGuard(const DisplayGuard&) = delete;
  DisplayGuard& operator=(const DisplayGuard&) = delete;

  // The window system is up: the held messages go out as Qt would print them.
  void Release();

  // The one line said when no display could be opened.
  static QString NoDisplayLine();

 private:
  struct Held {
    QtMsgType type;
    QString text;
  };
  static void Handler(QtMsgType type, const QMessageLogContext& context, const QString& text);
  static std::vector<Held>* held_;
  QtMessageHandler previous_ = nullptr;
  bool released_ = false;
};

}  // namespace tiko
