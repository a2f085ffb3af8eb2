// The about box: the project's picture, five lines about it and two links.
#pragma once

#include <QWidget>

namespace tiko {

class TAboutForm : public QWidget {
 public:
  TAboutForm();

  void la_website_2Click();
  void la_email_2Click();

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;
};

}  // namespace tiko
