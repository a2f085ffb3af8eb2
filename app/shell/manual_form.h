// The manual viewer: 16 page pictures in a small borderless window that stays
// on top, turned with two arrows or the Left and Right keys.
#pragma once

#include <QImage>
#include <QWidget>
#include <array>
#include <filesystem>
#include <functional>
#include <string>

namespace tiko {

inline constexpr int kManualPages = 16;

// Where the viewer finds Config.ini, and how it reports an undecodable page.
struct ManualSource {
  std::filesystem::path data_dir;
  std::function<void(const std::string&)> show_error;
};

class ManualButton;
class ManualPage;

class TManualForm : public QWidget {
 public:
  explicit TManualForm(ManualSource source);

  void Gfx_Load_Manual_Pages();
  void Vid_Show_Page();
  void Inp_left_down();
  void Inp_left_up();
  void Inp_right_down();
  void Inp_right_up();
  void Inp_esc_down();
  void Inp_esc_up();

  int manual_page = 1;  // kept across closing, so the viewer reopens where it was
  std::array<QImage, kManualPages + 1> manual_pages;  // [1..16]

  ManualPage* im_page_top;
  ManualButton* btn_left;
  ManualButton* btn_right;
  ManualButton* btn_close;

 protected:
  void showEvent(QShowEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void keyReleaseEvent(QKeyEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  ManualSource source_;
};

// One arrow or close button: the "up" picture lies over the "down" one, and
// hiding the "up" picture shows the button pressed.
class ManualButton : public QWidget {
 public:
  ManualButton(QWidget* parent, QPixmap up, QPixmap down);
  std::function<void()> on_down;
  std::function<void()> on_up;

  void SetUpVisible(bool on);
  void SetDownVisible(bool on);
  bool UpVisible() const { return up_visible_; }
  bool DownVisible() const { return down_visible_; }

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  void Refresh();
  QPixmap up_, down_;
  bool up_visible_ = true;
  bool down_visible_ = true;
  bool pressed_ = false;
};

// The page shown, which also takes the mouse for dragging the window.
class ManualPage : public QWidget {
 public:
  explicit ManualPage(QWidget* parent) : QWidget(parent) {}
  void SetPicture(const QImage& picture);
  const QImage& Picture() const { return picture_; }

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;

 private:
  QImage picture_;
  QPoint manual_grab_;
  bool grabbing_ = false;
};

}  // namespace tiko
