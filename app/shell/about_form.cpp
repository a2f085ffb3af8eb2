#include "app/shell/about_form.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QScreen>

#include "app/shell/link_label.h"
#include "app/shell/shell_pictures.h"
#include "app/shell/shell_texts.h"
#include "input/dialog/owned_window.h"

namespace tiko {

namespace {

struct Line {
  const char* name;
  const char* caption;
  const char* value;
  bool italic;
};

// The project's own details; no real person's.
constexpr Line kLines[] = {
    {"la_name", "Name:", "The Tiko Simulator Project", false},
    {"la_birthplace", "Birthplace:", "A Debian workstation", false},
    {"la_birthdate", "Birth date:", "7 December 2026", false},
    {"la_job", "Occupation:", "Simulating LCD handhelds", false},
    {"la_hobby", "Hobby:", "Sharing it: MIT licence", true},
};

QLabel* Text(QWidget* parent, const QString& text, int left, int top, int pixels, bool bold,
             bool italic, QColor ink) {
  auto* label = new QLabel(text, parent);
  QFont f("Arial");
  f.setPixelSize(pixels);
  f.setBold(bold);
  f.setItalic(italic);
  label->setFont(f);
  QPalette pal = label->palette();
  pal.setColor(QPalette::WindowText, ink);
  label->setPalette(pal);
  label->move(left, top);
  label->adjustSize();
  return label;
}

}  // namespace

TAboutForm::TAboutForm()
    : QWidget(nullptr, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                           Qt::WindowCloseButtonHint | Qt::WindowStaysOnTopHint) {
  setWindowTitle("About the author...");
  setFixedSize(397, 176);
  setAutoFillBackground(true);
  QPalette pal = palette();
  pal.setColor(QPalette::Window, QColor(8, 41, 82));
  setPalette(pal);
  tiko::CentreOnScreen(*this);
}

void TAboutForm::setVisible(bool visible) {
  if (visible && !built_) Build();
  QWidget::setVisible(visible);
}

void TAboutForm::Build() {
  built_ = true;
  auto* picture = new QLabel(this);
  picture->setObjectName("im_picture");
  picture->setGeometry(8, 8, 116, 160);
  SetPixmapWhenShown(picture, ShellPicture::kAboutPicture);

  int top = 8;
  for (const Line& line : kLines) {
    Text(this, line.caption, 132, top, 11, false, false, Qt::white)
        ->setObjectName(QString(line.name) + "_1");
    Text(this, line.value, 212, top, 11, true, line.italic, Qt::white)
        ->setObjectName(QString(line.name) + "_2");
    top += 24;
  }
  Text(this, "Website:", 132, 128, 11, false, false, Qt::white);
  Text(this, "Email:", 132, 152, 11, false, false, Qt::white);

  QFont link_font("Arial");
  link_font.setPixelSize(12);
  link_font.setBold(true);
  link_font.setUnderline(true);
  QPalette link_ink = palette();
  link_ink.setColor(QPalette::WindowText, Qt::yellow);
  auto* website = new LinkLabel(shell_text::WebsiteShown(), this);
  website->setObjectName("la_website_2");
  website->onClick = [this] { la_website_2Click(); };
  auto* email = new LinkLabel(shell_text::EmailShown(), this);
  email->setObjectName("la_email_2");
  email->onClick = [this] { la_email_2Click(); };
  website->setGeometry(212, 128, 168, 15);
  email->setGeometry(212, 152, 168, 15);
  for (LinkLabel* link : {website, email}) {
    link->setFont(link_font);
    link->setPalette(link_ink);
  }

  for (QWidget* child : findChildren<QWidget*>()) child->installEventFilter(this);
}

void TAboutForm::la_website_2Click() {
  ShellOpen(shell_text::WebsiteUrl());
  close();
}

void TAboutForm::la_email_2Click() {
  ShellOpen(shell_text::EmailUrl());
  close();
}

void TAboutForm::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Escape) {
    close();
    return;
  }
  QWidget::keyPressEvent(event);
}

bool TAboutForm::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::KeyPress &&
      static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
    close();
    return true;
  }
  return QWidget::eventFilter(watched, event);
}

}  // namespace tiko
