// A label that opens an address when clicked, and the shell open itself.
#pragma once

#include <QLabel>
#include <QString>
#include <functional>

namespace tiko {

// Hands the target to the desktop (web address, mailto: or a file name relative
// to the working folder); a failure is not reported.
void ShellOpen(const QString& target);

class LinkLabel : public QLabel {
 public:
  LinkLabel(const QString& text, QWidget* parent);
  std::function<void()> onClick;

 protected:
  void mouseReleaseEvent(QMouseEvent* event) override;
};

}  // namespace tiko
