#include "app/shell/manual_form.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QPainter>
#include <QScreen>

#include "app/shell/shell_pictures.h"
#include "config/ini/config_path.h"
#include "config/picture/picture.h"
#include "config/skin/manual_config.h"
#include "engine/ports.h"
#include "input/dialog/owned_window.h"

namespace tiko {

TManualForm::TManualForm(ManualSource source)
    : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint),
      source_(std::move(source)) {
  setWindowTitle("Manual");
  setAutoFillBackground(true);
  QPalette pal = palette();
  pal.setColor(QPalette::Window, Qt::white);
  setPalette(pal);
  resize(545, 365);

  im_page_top = new ManualPage(this);
  im_page_top->setObjectName("im_page_top");
  btn_right = new ManualButton(this, ShellPicture::kManualRightUp, ShellPicture::kManualRightDown);
  btn_right->setObjectName("btn_right");
  btn_left = new ManualButton(this, ShellPicture::kManualLeftUp, ShellPicture::kManualLeftDown);
  btn_left->setObjectName("btn_left");
  btn_left->SetUpVisible(false);
  btn_left->SetDownVisible(false);
  btn_close = new ManualButton(this, ShellPicture::kManualCloseUp, ShellPicture::kManualCloseDown);
  btn_close->setObjectName("btn_close");
  btn_left->on_down = [this] { Inp_left_down(); };
  btn_left->on_up = [this] { Inp_left_up(); };
  btn_right->on_down = [this] { Inp_right_down(); };
  btn_right->on_up = [this] { Inp_right_up(); };
  btn_close->on_down = [this] { Inp_esc_down(); };
  btn_close->on_up = [this] { Inp_esc_up(); };

  Gfx_Load_Manual_Pages();
  tiko::CentreOnScreen(*this);
}

void TManualForm::Gfx_Load_Manual_Pages() {
  ManualConfig config = ReadManualConfig(source_.data_dir);
  // A size no window can take falls back to the default one.
  if (config.width <= 0 || config.width > 8192) config.width = ManualConfig{}.width;
  if (config.height <= 0 || config.height > 8192) config.height = ManualConfig{}.height;
  setFixedSize(config.width, config.height);
  im_page_top->setGeometry(0, 0, config.width, config.height);
  for (int n = 1; n <= kManualPages; ++n) {
    page_files_[n] = ManualPagePath(config, n);
    page_kinds_[n] = FileExists(page_files_[n]) ? PageKind::kFile : PageKind::kPlaceholder;
  }
  pages_checked_ = false;
}

void TManualForm::CheckPages() {
  if (pages_checked_) return;
  pages_checked_ = true;
  for (int n = 1; n <= kManualPages; ++n) {
    if (page_kinds_[n] != PageKind::kFile) continue;
    try {
      LoadPicture(page_files_[n]);
    } catch (const UnitError& e) {
      // An undecodable page stops the loading; the pages after it stay empty.
      if (source_.show_error) source_.show_error(e.what());
      for (int m = n; m <= kManualPages; ++m) page_kinds_[m] = PageKind::kNone;
      return;
    }
  }
}

QImage TManualForm::Page(int n) const {
  if (n < 1 || n > kManualPages) return {};
  switch (page_kinds_[n]) {
    case PageKind::kFile:
      try {
        return LoadPicture(page_files_[n]);
      } catch (const UnitError&) {
        return {};  // spoilt since it was checked: an empty page, told once already
      }
    case PageKind::kPlaceholder:
      return PlaceholderPicture();
    case PageKind::kNone:
      break;
  }
  return {};
}

void TManualForm::Vid_Show_Page() {
  im_page_top->SetPicture(Page(manual_page));
  if (manual_page == 1) {
    btn_left->SetDownVisible(false);
    btn_left->SetUpVisible(false);
  } else if (manual_page == kManualPages) {
    btn_right->SetDownVisible(false);
    btn_right->SetUpVisible(false);
  } else {
    for (ManualButton* b : {btn_left, btn_right}) {
      b->SetDownVisible(true);
      b->SetUpVisible(true);
    }
  }
}

void TManualForm::Inp_left_down() {
  btn_left->SetUpVisible(false);
}

void TManualForm::Inp_left_up() {
  --manual_page;
  Vid_Show_Page();
}

void TManualForm::Inp_right_down() {
  btn_right->SetUpVisible(false);
}

void TManualForm::Inp_right_up() {
  ++manual_page;
  Vid_Show_Page();
}

void TManualForm::Inp_esc_down() {
  btn_close->SetUpVisible(false);
}

void TManualForm::Inp_esc_up() {
  btn_close->SetUpVisible(true);
  hide();
}

void TManualForm::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  CheckPages();
  Vid_Show_Page();
}

// A closed viewer keeps no page decoded; showing it decodes the page again.
void TManualForm::hideEvent(QHideEvent* event) {
  QWidget::hideEvent(event);
  im_page_top->SetPicture(QImage());
}

// One page per press and release of an arrow key, however long it is held.
void TManualForm::KeyDown(int key, bool repeat) {
  if (repeat) return;
  switch (key) {
    case Qt::Key_Escape:
      Inp_esc_down();
      break;
    case Qt::Key_Left:
      if (manual_page > 1) Inp_left_down();
      break;
    case Qt::Key_Right:
      if (manual_page < kManualPages) Inp_right_down();
      break;
  }
}

void TManualForm::KeyUp(int key) {
  switch (key) {
    case Qt::Key_Escape:
      Inp_esc_up();
      break;
    case Qt::Key_Left:
      if (manual_page > 1) Inp_left_up();
      break;
    case Qt::Key_Right:
      if (manual_page < kManualPages) Inp_right_up();
      break;
  }
}

bool TManualForm::HandlesKey(int key) {
  return key == Qt::Key_Escape || key == Qt::Key_Left || key == Qt::Key_Right;
}

void TManualForm::keyPressEvent(QKeyEvent* event) {
  if (!HandlesKey(event->key())) return QWidget::keyPressEvent(event);
  held_keys_.Pressed(PhysicalKeyOf(*event), static_cast<std::int64_t>(event->timestamp()),
                     [event] { return event->key(); });
}

void TManualForm::keyReleaseEvent(QKeyEvent* event) {
  if (!HandlesKey(event->key()) && !held_keys_.IsDown(PhysicalKeyOf(*event))) {
    return QWidget::keyReleaseEvent(event);
  }
  held_keys_.Released(PhysicalKeyOf(*event), static_cast<std::int64_t>(event->timestamp()));
}

void TManualForm::focusOutEvent(QFocusEvent* event) {
  held_keys_.ReleaseAll();
  QWidget::focusOutEvent(event);
}

void TManualForm::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  const int w = width(), h = height();
  im_page_top->setGeometry(0, 0, w, h);
  btn_right->setGeometry(w - 20, h - 18, 16, 14);
  btn_left->setGeometry(4, h - 18, 16, 14);
  btn_close->setGeometry(w - 20, 4, 16, 14);
}

ManualButton::ManualButton(QWidget* parent, ShellPicture up, ShellPicture down)
    : QWidget(parent), up_picture_(up), down_picture_(down) {
  setCursor(Qt::PointingHandCursor);
}

void ManualButton::SetUpVisible(bool on) {
  up_visible_ = on;
  Refresh();
}

void ManualButton::SetDownVisible(bool on) {
  down_visible_ = on;
  Refresh();
}

// The widget stays alive while its "up" picture is hidden by a press, so the
// release still reaches the button that took the press.
void ManualButton::Refresh() {
  if (!pressed_) setVisible(up_visible_ || down_visible_);
  update();
}

void ManualButton::paintEvent(QPaintEvent*) {
  QPainter g(this);
  if (up_visible_) {
    if (up_.isNull()) up_ = ShellPixmap(up_picture_);
    g.drawPixmap(0, 0, up_);
  } else if (down_visible_) {
    if (down_.isNull()) down_ = ShellPixmap(down_picture_);
    g.drawPixmap(0, 0, down_);
  }
}

void ManualButton::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton || !up_visible_) return;
  pressed_ = true;
  if (on_down) on_down();
}

void ManualButton::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton || !pressed_) return;
  pressed_ = false;
  if (on_up) on_up();
  Refresh();
}

void ManualPage::SetPicture(const QImage& picture) {
  picture_ = picture;
  update();
}

void ManualPage::paintEvent(QPaintEvent*) {
  QPainter g(this);
  if (!picture_.isNull()) g.drawImage(0, 0, picture_);
}

void ManualPage::mousePressEvent(QMouseEvent* event) {
  grabbing_ = event->button() == Qt::LeftButton;
  if (grabbing_) manual_grab_ = event->globalPosition().toPoint() - window()->pos();
}

void ManualPage::mouseMoveEvent(QMouseEvent* event) {
  if (grabbing_ && (event->buttons() & Qt::LeftButton)) {
    window()->move(event->globalPosition().toPoint() - manual_grab_);
  }
}

}  // namespace tiko
