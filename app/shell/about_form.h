// The about box: the project's picture, five lines about it and two links.
#pragma once

#include <QWidget>

namespace tiko {

class TAboutForm : public QWidget {
 public:
  TAboutForm();

  void la_website_2Click();
  void la_email_2Click();

  // Its contents are made when it is first shown: their fonts and picture
  // are not loaded at start for a box that may never open.
  void setVisible(bool visible) override;

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void Build();
  bool built_ = false;
};

}  // namespace tiko
