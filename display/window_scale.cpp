// The main window's size on the screen: the player's zoom, fitted to the
// screen, and the pictures brought to the resolution they are drawn at.
#include <QGuiApplication>
#include <QKeyEvent>
#include <QScreen>
#include <QWheelEvent>
#include <QWindow>
#include <cmath>
#include <string>

#include "display/game_menu_picture.h"
#include "display/main_window.h"
#include "display/picture_scaling.h"
#include "display/wayland_window.h"
#include "display/zoom.h"
#include "input/keyboard/qt_keys.h"

namespace tiko {

namespace {

std::string PictureName(const SkinPictures& pictures, ImageId id) {
  const std::filesystem::path& file = pictures.file[id];
  std::string name = file.empty() ? "image " : "\"";
  name += file.empty() ? std::to_string(static_cast<int>(id)) : file.string();
  if (!file.empty()) name += '"';
  return name;
}

}  // namespace

QPoint TForm1::ScenePoint(QPointF pos) const {
  if (scale_ == 1.0) return pos.toPoint();
  return QPoint(static_cast<int>(std::floor(pos.x() / scale_)),
                static_cast<int>(std::floor(pos.y() / scale_)));
}

QPoint TForm1::WindowPoint(QPoint scene) const {
  return QPoint(static_cast<int>(std::lround(scene.x() * scale_)),
                static_cast<int>(std::lround(scene.y() * scale_)));
}

double TForm1::DeviceScale() const {
  return scale_ * devicePixelRatioF();
}

QRect TForm1::ScreenArea() const {
  const QScreen* shown_on = screen() ? screen() : QGuiApplication::primaryScreen();
  if (FullscreenOn()) return shown_on->geometry();
  const QRect available = shown_on->availableGeometry();
  // Wayland tells Qt no work area; a maximized window's size is it.
  if (work_area_.isValid())
    return QRect(available.topLeft(), available.size().boundedTo(work_area_));
  return available;
}

void TForm1::ApplyScale() {
  const QSize window =
      FullscreenOn() ? QGuiApplication::primaryScreen()->size() : ScaledSize(client_, scale_);
  SizeWindow(*this, window.expandedTo(QSize(1, 1)), FullscreenOn());
  const double device_scale = DeviceScale();
  // Copies at another scale are made of every picture at once.
  if (device_scale != 1.0) TakeAllPictures();
  if (device_scale != prepared_scale_) {
    shelf_.TakeLoadedBack();
    // The copies at the old scale go first: both sets at once could pass the budget.
    prepared_ = {};
    ScaledPictures scaled = ScalePictures(pictures_, device_scale, devicePixelRatioF());
    prepared_ = std::move(scaled.table);
    if (scaled.first_left_out != kNoImage && !scale_budget_told_) {
      scale_budget_told_ = true;
      std::string message = "At this size the skin's pictures need more than ";
      message += std::to_string(kSkinPictureBudget / (1024 * 1024));
      message += " MB of memory in all; from ";
      message += PictureName(pictures_, scaled.first_left_out);
      message += " on, they are shown as placeholders. A smaller zoom shows them.";
      ShowError(message);
    }
    // The menu picture drawn here is drawn anew, its text sharp at any scale.
    if (menu_drawn_here_ && device_scale != 1.0) {
      prepared_[btn_game_menu_background] = GameMenuPicture(device_scale);
    }
    prepared_scale_ = device_scale;
  }
  layout_dirty_ = true;
}

void TForm1::SetZoom(int percent) {
  percent = ValidZoom(percent);
  if (FullscreenOn()) return;
  if (percent != zoom_ && parts_.store) parts_.store->WriteInteger("Zoom", percent);
  zoom_ = percent;
  const double scale = FitScale(client_, ScreenArea().size(), zoom_);
  if (scale == scale_) return;
  // The unit grows and shrinks around its centre.
  const QPointF centre = QRectF(geometry()).center();
  scale_ = scale;
  ApplyScale();
  const QPoint corner = (centre - QPointF(width(), height()) / 2).toPoint();
  if (!OnWayland()) move(KeepInside(QRect(corner, size()), ScreenArea()));
  Refresh();
}

void TForm1::ZoomBy(int steps) {
  if (FullscreenOn()) return;
  if (auto zoom = ZoomAfterSteps(client_, ScreenArea().size(), zoom_, steps)) SetZoom(*zoom);
}

bool TForm1::CtrlBound() const {
  for (int n = 1; n <= kBindingCount; ++n) {
    if (unit_.key_bindings()[n].key_code == vk::kControl) return true;
  }
  return false;
}

// Zoom keys are chosen by the key, never by the character it types, and none
// of them can be bound: zooming presses no control.
bool TForm1::ZoomKey(const QKeyEvent& event) {
  const bool ctrl_form = event.modifiers().testFlag(Qt::ControlModifier) && !CtrlBound();
  switch (ZoomKeyActionOf(VirtualKeyOf(event), ctrl_form)) {
    case ZoomKeyAction::kIn:
      ZoomBy(1);
      return true;
    case ZoomKeyAction::kOut:
      ZoomBy(-1);
      return true;
    case ZoomKeyAction::kDefault:
      SetZoom(kZoomDefault);
      return true;
    case ZoomKeyAction::kNone:
      return false;
  }
  return false;
}

// The wheel zooms by itself; with Ctrl only while Ctrl is no control's key.
void TForm1::wheelEvent(QWheelEvent* event) {
  const Qt::KeyboardModifiers held = event->modifiers();
  if (held != Qt::NoModifier && (held != Qt::ControlModifier || CtrlBound())) {
    event->ignore();
    return;
  }
  // A notch is 120; a touchpad sends smaller deltas that add up.
  wheel_delta_ += event->angleDelta().y();
  const int steps = wheel_delta_ / 120;
  wheel_delta_ -= steps * 120;
  if (steps != 0) ZoomBy(steps);
  event->accept();
}

void TForm1::RefitToScreen() {
  if (FullscreenOn()) {
    if (size() == QGuiApplication::primaryScreen()->size()) {
      if (DeviceScale() != prepared_scale_) ApplyScale();
      Refresh();
      return;
    }
    LoadSkin();  // the unit is placed anew on the new screen
    CentreOnScreen();
    Refresh();
    return;
  }
  scale_ = FitScale(client_, ScreenArea().size(), zoom_);
  ApplyScale();
  // A window shown on the screen stays inside it; one kept off it stays there.
  if (!OnWayland() && geometry().intersects(ScreenArea()))
    move(KeepInside(geometry(), ScreenArea()));
  Refresh();
}

void TForm1::WatchScreen(QScreen* screen) {
  if (watched_screen_) disconnect(watched_screen_, nullptr, this, nullptr);
  watched_screen_ = screen;
  if (screen == nullptr) return;
  connect(screen, &QScreen::availableGeometryChanged, this, [this] { RefitToScreen(); });
  connect(screen, &QScreen::geometryChanged, this, [this] { RefitToScreen(); });
}

void TForm1::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  if (screen_watched_ || windowHandle() == nullptr) return;
  screen_watched_ = true;
  WatchScreen(windowHandle()->screen());
  connect(windowHandle(), &QWindow::screenChanged, this, [this](QScreen* screen) {
    WatchScreen(screen);
    RefitToScreen();
  });
}

}  // namespace tiko
