// A held key's repeats on X, taken before Qt makes key events of them. X
// sends each repeat as a release and a press at one time; the press would
// cost a key event through Qt's dispatch, a _NET_WM_USER_TIME write to the
// server and the PropertyNotify that comes back, most of the program's
// processor time while a direction is held in a game. The release still goes
// through Qt: the held keys pair it with the press, and that pair is what
// tells a repeat from a new press when the keyboard comes back from another
// window with the key held (XKB's detectable auto-repeat would lose it).
#pragma once

#include <QAbstractNativeEventFilter>
#include <functional>
#include <memory>

#include "input/keyboard/held_keys.h"

namespace tiko {

class XKeyRepeats : public QAbstractNativeEventFilter {
 public:
  // `window` gives the X window whose repeats are taken (0 while it has none).
  XKeyRepeats(std::function<unsigned()> window, HeldKeys& keys)
      : window_(std::move(window)), keys_(keys) {}

  // On X, starts taking the repeats; null on other platforms.
  static std::unique_ptr<XKeyRepeats> Install(std::function<unsigned()> window, HeldKeys& keys);
  ~XKeyRepeats() override;

  // A press of a key held down in the window goes straight to the held keys;
  // everything else goes on to Qt.
  bool nativeEventFilter(const QByteArray& type, void* message, qintptr* result) override;

 private:
  std::function<unsigned()> window_;
  HeldKeys& keys_;
  bool installed_ = false;
};

}  // namespace tiko
