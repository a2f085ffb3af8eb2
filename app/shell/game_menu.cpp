#include "app/shell/game_menu.h"

#include <QMouseEvent>
#include <QPointer>
#include <algorithm>
#include <cmath>

namespace tiko {

namespace {

// One row: highlighted under the mouse, a left click runs its entry's command
// and the release closes the menu. Other buttons pass through to the window,
// so a right click still opens the popup menu.
class MenuRow : public QLabel {
 public:
  MenuRow(QWidget* parent, QAction* action, std::function<void()> on_release)
      : QLabel(parent), action_(action), on_release_(std::move(on_release)) {}

 protected:
  void enterEvent(QEnterEvent*) override {
    if (action_) setAutoFillBackground(true);
  }
  void leaveEvent(QEvent*) override { setAutoFillBackground(false); }
  void mousePressEvent(QMouseEvent* event) override {
    if (event->button() == Qt::LeftButton) {
      event->accept();
    } else {
      event->ignore();
    }
  }
  void mouseReleaseEvent(QMouseEvent* event) override {
    if (event->button() != Qt::LeftButton) {
      event->ignore();
      return;
    }
    event->accept();
    if (!action_) return;  // a blank row
    QPointer<MenuRow> alive(this);
    if (rect().contains(event->position().toPoint())) action_->trigger();
    if (alive) on_release_();
  }

 private:
  QAction* action_;
  std::function<void()> on_release_;
};

}  // namespace

GameMenu::GameMenu(Unit& unit, MenuHost& host, const MenuItems& menu_item)
    : unit_(unit), host_(host), menu_item_(menu_item) {}

void GameMenu::btn_game_menu_topClick() {
  game_menu_open = !game_menu_open;
  Vid_Display_Game_Menu();
}

void GameMenu::Close() {
  if (!game_menu_open) return;
  game_menu_open = false;
  Vid_Display_Game_Menu();
}

void GameMenu::SizePicture(int width, int height) {
  unit_.LayOut([&](Scene& scene) {
    const Image& picture = scene[btn_game_menu_background];
    scene.SetBounds(btn_game_menu_background, picture.left, picture.top, width, height);
  });
  host_.SceneChanged();
}

void GameMenu::ReleaseOnRow() {
  game_menu_open = false;
  Vid_Display_Game_Menu();
}

void GameMenu::Vid_Display_Game_Menu() {
  if (!game_menu_open) {
    // The rows go once the event that closed the menu has been handled.
    for (QLabel*& row : menu_label) {
      if (!row) continue;
      row->hide();
      row->deleteLater();
      row = nullptr;
    }
    SizePicture(36, 32);
    return;
  }
  QWidget* window = host_.MainWidget();
  // The rows lie over the menu's picture, which is drawn at the unit's scale.
  const double scale = host_.UnitScale();
  QFont font("Arial");
  font.setPixelSize(std::max(1, static_cast<int>(std::lround(13 * scale))));
  for (int i = 1; i <= kMenuEntries; ++i) {
    QAction* item = menu_item_[i];
    const bool blank = item->isSeparator();
    auto* row = new MenuRow(window, blank ? nullptr : item, [this] { ReleaseOnRow(); });
    row->setObjectName(QString("menu_label_%1").arg(i));
    row->setGeometry(QRectF(0, 32 * i * scale, 256 * scale, 32 * scale).toRect());
    row->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    if (!blank) {
      QString text = "   " + item->text();
      if (item->isChecked()) text += " [V]";
      row->setText(text);
      row->setFont(font);
      QPalette pal = row->palette();
      pal.setColor(QPalette::WindowText, Qt::white);
      pal.setColor(QPalette::Window, Qt::black);
      row->setPalette(pal);
      row->setCursor(Qt::PointingHandCursor);
      row->setEnabled(item->isEnabled());
    }
    row->show();
    row->raise();
    menu_label[i] = row;
  }
  SizePicture(256, 480);
}

}  // namespace tiko
