// The main window's keyboard and mouse: keys through the nine bindings, left
// presses and releases on the button pictures, dragging the window by the
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
#include "input/qt_keys.h"

namespace tiko {

void TForm1::Handle(const std::function<void()>& handler) {
  host_.Sync();
  try {
    handler();
  } catch (const UnitError& e) {
    ShowError(e.what());
  }
  host_.Rearm();
  Refresh();
}

void TForm1::keyPressEvent(QKeyEvent* event) {
  if (ZoomKey(*event)) return;
  if (event->key() == Qt::Key_F12) {
    if (!event->isAutoRepeat()) pm_10_fullscreenClick();
    return;
  }
  if (event->key() == Qt::Key_Escape) {
    pm_14_exitClick();
    return;
  }
  // Auto-repeat presses are presses like the first.
  const int key = VirtualKeyOf(*event);
  if (key != 0) Handle([&] { unit_.FormKeyDown(key); });
}

void TForm1::keyReleaseEvent(QKeyEvent* event) {
  // Auto-repeat sends a release before each repeated press; only the real one counts.
  if (event->isAutoRepeat()) return;
  const int key = VirtualKeyOf(*event);
  if (key != 0) Handle([&] { unit_.FormKeyUp(key); });
}

void TForm1::PressAt(Qt::MouseButton button, QPoint pos) {
  if (button != Qt::LeftButton) return;
  const ImageId id = TargetAt(unit_.scene(), pos.x(), pos.y());
  if (id == btn_game_menu_top) {
    pressed_button_ = id;
    return;
  }
  if (auto control = ControlOfImage(id)) {
    pressed_button_ = id;
    Handle([&] { unit_.Press(*control); });
    return;
  }
  if (IsDraggable(id) && !fullscreen_on_) {
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
      Handle([&] { on_game_menu_click(); });
    }
    return;
  }
  if (auto control = ControlOfImage(pressed)) Handle([&] { unit_.Release(*control); });
}

void TForm1::mouseMoveEvent(QMouseEvent* event) {
  pointer_ = ScenePoint(event->position());
  if (drag_image_ != kNoImage && (event->buttons() & Qt::LeftButton) && !fullscreen_on_) {
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
