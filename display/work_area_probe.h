// The work area of a Wayland screen: the screen less its panels. Wayland tells
// no program this, but a compositor gives a maximized window exactly that
// size in its first configure. The probe is a window that asks to be
// maximized, reads the size it is given and goes away before it ever has
// content, so nothing of it shows.
#pragma once

#include <QObject>
#include <QSize>
#include <QTimer>
#include <functional>
#include <memory>

class QWindow;

namespace tiko {

class WorkAreaProbe : public QObject {
 public:
  // `found` gets the work area's size, once; never when the compositor does
  // not maximize (tiling compositors tile instead).
  explicit WorkAreaProbe(std::function<void(QSize)> found);
  ~WorkAreaProbe() override;
  void Start();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void Finish();

  std::function<void(QSize)> found_;
  std::unique_ptr<QWindow> window_;
  QTimer give_up_;
  bool answered_ = false;
};

}  // namespace tiko
