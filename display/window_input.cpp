// The main window's keyboard and mouse: keys through the nine bindings, left
// presses and releases on the button pictures, dragging the window by the
// unit's body, the pointer shape and the hints.
#include <QGuiApplication>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QToolTip>
#include <QWindow>
#include <cstdio>
#include <utility>

#include "display/main_window.h"
#include "display/mouse_targets.h"
#include "input/keyboard/held_keys.h"
#include "input/keyboard/qt_keys.h"

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

namespace {

constexpr int kVkEscape = 27;
constexpr int kVkF12 = 123;

}  // namespace

// With TIKO_TRACE_KEYS set, each key that reaches the window is printed with
// the unit's mode and the hero's place after it: what a player whose key does
// nothing can look at, and what the X tests read.
void TForm1::TraceKey(const char* what, int code) {
  if (!trace_keys_) return;
  const Vars& v = unit_.vars();
  std::printf("tiko: key %s %d mode=%d hero=%d,%d\n", what, code, v.mode, v.hero_col, v.hero_row);
  std::fflush(stdout);
}

// Every key press goes to the bindings, repeats too, as Windows sends them;
// F12 and Esc act once per press of the key.
void TForm1::KeyDown(int code, bool repeat) {
  TraceKey(repeat ? "repeat" : "down", code);
  if (code == kVkF12) {
    if (!repeat) pm_10_fullscreenClick();
    return;
  }
  if (code == kVkEscape) {
    if (!repeat) pm_14_exitClick();
    return;
  }
  Handle([&] { unit_.FormKeyDown(code); });
  TraceKey("done", code);
}

void TForm1::KeyUp(int code) {
  TraceKey("up", code);
  if (code == kVkF12 || code == kVkEscape) return;
  Handle([&] { unit_.FormKeyUp(code); });
  TraceKey("done", code);
}

// The binding decides, as for its key: the left shoulder opens the closed lid
// and is ACL once it is open, for the press and the release alike.
void TForm1::PadDown(Control control, bool /*repeat*/) {
  Handle([&] {
    if (auto c = ControlOfBinding(InfoOf(control).binding, unit_.vars().mode)) unit_.Press(*c);
  });
}

void TForm1::PadUp(Control control) {
  Handle([&] {
    if (auto c = ControlOfBinding(InfoOf(control).binding, unit_.vars().mode)) unit_.Release(*c);
  });
}

void TForm1::keyPressEvent(QKeyEvent* event) {
  // A held game key's repeats stay the game's, whatever else is held.
  if (!held_keys_.IsDown(PhysicalKeyOf(*event)) && ZoomKey(*event)) return;
  held_keys_.Pressed(PhysicalKeyOf(*event), static_cast<std::int64_t>(event->timestamp()),
                     [event] { return VirtualKeyOf(*event); });
}

void TForm1::keyReleaseEvent(QKeyEvent* event) {
  held_keys_.Released(PhysicalKeyOf(*event), static_cast<std::int64_t>(event->timestamp()));
}

// Keys held when the keyboard goes elsewhere would never see their release here.
// So is a button pressed with the mouse when a popup menu or another window
// takes the mouse: its release would go there.
void TForm1::focusOutEvent(QFocusEvent* event) {
  held_keys_.ReleaseAll();
  EndButtonPress();
  QWidget::focusOutEvent(event);
}

// Every press on a button picture gets its release operation, once.
void TForm1::EndButtonPress() {
  drag_image_ = kNoImage;
  const ImageId pressed = std::exchange(pressed_button_, kNoImage);
  if (auto control = ControlOfImage(pressed)) Handle([&] { unit_.Release(*control); });
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
  pressed_button_ = pressed;
  EndButtonPress();
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
