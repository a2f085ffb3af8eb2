// The manual viewer: 16 page pictures in a small borderless window that stays
// on top, turned with two arrows or the Left and Right keys.
#pragma once

#include <QImage>
#include <QWidget>
#include <array>
#include <filesystem>
#include <functional>
#include <string>

#include "app/shell/shell_pictures.h"
#include "config/ini/data_folders.h"
#include "input/keyboard/held_keys.h"

namespace tiko {

inline constexpr int kManualPages = 16;

// Where the viewer finds Config.ini, and how it reports an undecodable page.
struct ManualSource {
  DataFolders data_dir;
  std::function<void(const std::string&)> show_error;
};

class ManualButton;
class ManualPage;

class TManualForm : public QWidget {
 public:
  explicit TManualForm(ManualSource source);

  // Reads the manual's settings, sizes the window and finds the page files;
  // the pages are decoded when the viewer is first shown.
  void Gfx_Load_Manual_Pages();
  void Vid_Show_Page();
  void Inp_left_down();
  void Inp_left_up();
  void Inp_right_down();
  void Inp_right_up();
  void Inp_esc_down();
  void Inp_esc_up();

  int manual_page = 1;  // kept across closing, so the viewer reopens where it was
  // Page n (1..16) decoded: its file, the placeholder for a missing file, or
  // nothing from the first undecodable page on. Only the page shown is kept
  // decoded.
  QImage Page(int n) const;

  ManualPage* im_page_top;
  ManualButton* btn_left;
  ManualButton* btn_right;
  ManualButton* btn_close;

 protected:
  void showEvent(QShowEvent* event) override;
  void hideEvent(QHideEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void keyReleaseEvent(QKeyEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  static bool HandlesKey(int key);
  void KeyDown(int key, bool repeat);
  void KeyUp(int key);

  enum class PageKind { kNone, kFile, kPlaceholder };
  // Decodes every page once, in order, as a load at start would: the first
  // page that cannot be decoded is reported and ends the pages there.
  void CheckPages();

  ManualSource source_;
  HeldKeys held_keys_{[this](int key, bool repeat) { KeyDown(key, repeat); },
                      [this](int key) { KeyUp(key); }};
  std::array<PageKind, kManualPages + 1> page_kinds_{};  // [1..16]
  std::array<std::filesystem::path, kManualPages + 1> page_files_;
  bool pages_checked_ = false;
};

// One arrow or close button: the "up" picture lies over the "down" one, and
// hiding the "up" picture shows the button pressed.
class ManualButton : public QWidget {
 public:
  ManualButton(QWidget* parent, ShellPicture up, ShellPicture down);
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
  ShellPicture up_picture_, down_picture_;
  QPixmap up_, down_;  // decoded when first painted
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
