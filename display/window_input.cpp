// The main window's keyboard and mouse: keys to the session, left presses
// and releases on the button pictures, dragging the window by the
// unit's body, the pointer shape and the hints.
#include <QGuiApplication>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QToolTip>
#include <QWindow>
#include <utility>

#include "display/main_window.h"
#include "display/mouse_targets.h"
#include "input/keyboard/held_keys.h"
#include "input/keyboard/qt_keys.h"

namespace tiko {

void TForm1::keyPressEvent(QKeyEvent* event) {
  // A held game key's repeats stay the game's, whatever else is held.
  if (!session_.held_keys().IsDown(PhysicalKeyOf(*event)) && ZoomKey(*event)) return;
  session_.held_keys().Pressed(PhysicalKeyOf(*event), static_cast<std::int64_t>(event->timestamp()),
                               [event] { return VirtualKeyOf(*event); });
}

void TForm1::keyReleaseEvent(QKeyEvent* event) {
  session_.held_keys().Released(PhysicalKeyOf(*event),
                                static_cast<std::int64_t>(event->timestamp()));
}

// Keys held when the keyboard goes elsewhere would never see their release here.
// So is a button pressed with the mouse when a popup menu or another window
// takes the mouse: its release would go there.
void TForm1::focusOutEvent(QFocusEvent* event) {
  session_.held_keys().ReleaseAll();
  EndButtonPress();
  QWidget::focusOutEvent(event);
}

// Every press on a button picture gets its release operation, once.
void TForm1::EndButtonPress() {
  drag_image_ = kNoImage;
  const ImageId pressed = std::exchange(pressed_button_, kNoImage);
  if (auto control = ControlOfImage(pressed)) session_.Release(*control);
}

void TForm1::PressAt(Qt::MouseButton button, QPoint pos) {
  if (button != Qt::LeftButton) return;
  EndButtonPress();  // a release that never came
  const ImageId id = TargetAt(unit_.scene(), pos.x(), pos.y());
  if (id == btn_game_menu_top) {
    pressed_button_ = id;
    return;
  }
  if (auto control = ControlOfImage(id)) {
    pressed_button_ = id;
    session_.Press(*control);
    return;
  }
  if (IsDraggable(id) && !FullscreenOn()) {
    // Wayland lets no program place its own window: the compositor drags it.
    if (QGuiApplication::platformName().startsWith(QLatin1String("wayland")) && windowHandle()) {
      windowHandle()->startSystemMove();
      return;
    }
    const Image& image = unit_.scene()[id];
    drag_image_ = id;
    drag_origin_ = pos - QPoint(image.left, image.top);
  }
}

void TForm1::mousePressEvent(QMouseEvent* event) {
  PressAt(event->button(), ScenePoint(event->position()));
}

// Each press of a double click is a press for the buttons; for the in-game
// menu's button the second one is no click, as with any clickable control.
void TForm1::mouseDoubleClickEvent(QMouseEvent* event) {
  const QPoint pos = ScenePoint(event->position());
  if (TargetAt(unit_.scene(), pos.x(), pos.y()) == btn_game_menu_top) return;
  PressAt(event->button(), pos);
}

void TForm1::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return;
  drag_image_ = kNoImage;
  // The release goes to the image that took the press, wherever the pointer is now.
  const ImageId pressed = std::exchange(pressed_button_, kNoImage);
  if (pressed == btn_game_menu_top) {
    const QPoint pos = ScenePoint(event->position());
    if (TargetAt(unit_.scene(), pos.x(), pos.y()) == btn_game_menu_top && on_game_menu_click) {
      session_.Handle([&] { on_game_menu_click(); });
    }
    return;
  }
  pressed_button_ = pressed;
  EndButtonPress();
}

void TForm1::mouseMoveEvent(QMouseEvent* event) {
  pointer_ = ScenePoint(event->position());
  if (drag_image_ != kNoImage && (event->buttons() & Qt::LeftButton) && !FullscreenOn()) {
    // The pressed point stays under the pointer.
    const Image& image = unit_.scene()[drag_image_];
    const QPoint global = event->globalPosition().toPoint();
    move(global - WindowPoint(drag_origin_ + QPoint(image.left, image.top)));
    return;
  }
  UpdatePointer(pointer_);
}

void TForm1::UpdatePointer(QPoint pos) {
  const PointerShape shape = ShapeOf(TargetAt(unit_.scene(), pos.x(), pos.y()));
  if (static_cast<int>(shape) == pointer_shape_) return;
  pointer_shape_ = static_cast<int>(shape);
  switch (shape) {
    case PointerShape::kHand:
      setCursor(Qt::PointingHandCursor);
      break;
    case PointerShape::kHelp:
      setCursor(Qt::WhatsThisCursor);
      break;
    case PointerShape::kArrow:
      unsetCursor();
      break;
  }
}

bool TForm1::event(QEvent* event) {
  if (event->type() == QEvent::ShortcutOverride) {
    // F12 and Esc come here as key presses, so that a held one acts once.
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (key == Qt::Key_F12 || key == Qt::Key_Escape) {
      event->accept();
      return true;
    }
  }
  if (event->type() == QEvent::ToolTip) {
    auto* help = static_cast<QHelpEvent*>(event);
    const QString hint = HintAt(help->pos());
    if (hint.isEmpty()) {
      QToolTip::hideText();
      event->ignore();
    } else {
      QToolTip::showText(help->globalPos(), hint, this);
    }
    return true;
  }
  return QWidget::event(event);
}

}  // namespace tiko
