// The key settings dialog: one list per binding, clashes marked in red,
// Accept refused while two lists show the same key.
#pragma once

#include <QElapsedTimer>
#include <QWidget>
#include <array>

#include "engine/unit.h"

class QComboBox;
class QLabel;
class QPushButton;

namespace tiko {

// What the dialog asks of the main window.
class KeysHost {
 public:
  virtual ~KeysHost() = default;
  // Accept: binding n takes choice n; the program runs it through its
  // session, which records it.
  virtual void AcceptKeys(Unit& unit, const std::array<int, kBindingCount>& choices) {
    unit.AcceptKeys(choices);
  }
  virtual void RefreshHints() = 0;  // the button hints follow the bindings
  virtual void EnableMainWindow() = 0;
  // The main window the dialog stays above; none in tests of the dialog alone.
  virtual QWidget* MainWidget() { return nullptr; }
};

class TKeysForm : public QWidget {
 public:
  // The creation handler: fills the lists from the bindings in force.
  TKeysForm(Unit& unit, KeysHost& host);

  void cbChange();
  bool CheckKeys();
  void btn_acceptClick();
  void CentreOnScreen();

  std::array<QLabel*, kBindingCount + 1> la{};     // [1..9]
  std::array<QComboBox*, kBindingCount + 1> cb{};  // [1..9]
  QPushButton* btn_accept;

 protected:
  bool event(QEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  void Build();
  bool FormKeyDown(QKeyEvent* event);
  bool SelectByPlace(QObject* watched, const QKeyEvent& event);
  void StayAboveMainWindow();
  void SetLabelColour(int n, QColor colour);

  Unit& unit_;
  KeysHost& host_;
  // On Wayland the dialog is mapped anew to come to the front.
  bool remap_pending_ = false;
  QElapsedTimer remapped_;
};

}  // namespace tiko
