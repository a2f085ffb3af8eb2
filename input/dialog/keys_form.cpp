#include "input/dialog/keys_form.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <QWindow>

#include "input/dialog/owned_window.h"
#include "input/keyboard/qt_keys.h"

namespace tiko {

namespace {

// How long after the dialog was mapped anew the main window's activation is the compositor's.
constexpr int kRemapSettleMs = 500;

const QColor kBackground(8, 41, 82);

QFont Arial(int pixels, bool bold) {
  QFont f("Arial");
  f.setPixelSize(pixels);
  f.setBold(bold);
  return f;
}

constexpr const char* kCaptions[kBindingCount + 1] = {
    "", "Game A", "Game B", "Time", "Open the game/ACL", "Up", "Left", "Right", "Down", "Jump"};

// The digit or letter entry of a key code; 0 for any other code.
int ChoiceOfKeyCode(int code) {
  for (int choice = 1; choice <= 36; ++choice) {  // "0".."9", "A".."Z"
    if (KeyCodeOfChoice(choice) == code) return choice;
  }
  return 0;
}

}  // namespace

TKeysForm::TKeysForm(Unit& unit, KeysHost& host)
    : QWidget(nullptr, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                           Qt::WindowCloseButtonHint),
      unit_(unit),
      host_(host) {
  Build();
  for (int n = 1; n <= kBindingCount; ++n) {
    cb[n]->setCurrentIndex(unit_.key_bindings()[n].key_choice - 1);  // out of range: no selection
  }
  cbChange();
}

void TKeysForm::Build() {
  setWindowTitle("Key settings");
  setFixedSize(448, 227);
  setAutoFillBackground(true);
  QPalette pal = palette();
  pal.setColor(QPalette::Window, kBackground);
  setPalette(pal);

  QFont title_font = Arial(12, true);
  title_font.setUnderline(true);
  QPalette white = palette();
  white.setColor(QPalette::WindowText, Qt::white);
  auto title = [&](const char* text, QRect place) {
    auto* label = new QLabel(text, this);
    label->setFont(title_font);
    label->setPalette(white);
    label->setGeometry(place);
  };
  title("Main operations", {14, 14, 200, 18});
  title("Game controls", {316, 14, 124, 18});
  title_font.setUnderline(false);

  QStringList entries;
  for (int choice = 1; choice <= kKeyChoiceCount; ++choice) {
    entries << QString::fromStdString(KeyEntryText(choice));
  }
  for (int n = 1; n <= kBindingCount; ++n) {
    const bool left_column = n <= 4;
    const int row = left_column ? n - 1 : n - 5;
    const int top = 42 + row * 27;
    cb[n] = new QComboBox(this);
    cb[n]->setObjectName(QString("cb_%1").arg(n));
    cb[n]->setFont(Arial(11, false));
    cb[n]->addItems(entries);
    cb[n]->setMaxVisibleItems(12);
    QPalette list = cb[n]->palette();
    list.setColor(QPalette::Base, Qt::white);
    list.setColor(QPalette::Button, Qt::white);
    list.setColor(QPalette::Text, Qt::black);
    list.setColor(QPalette::ButtonText, Qt::black);
    cb[n]->setPalette(list);
    la[n] = new QLabel(kCaptions[n], this);
    la[n]->setObjectName(QString("la_%1").arg(n));
    la[n]->setFont(Arial(11, true));
    if (left_column) {
      cb[n]->setGeometry(14, top, 124, 22);
      la[n]->setGeometry(146, top, 110, 22);
    } else {
      la[n]->setGeometry(256, top, 52, 22);
      la[n]->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
      cb[n]->setGeometry(316, top, 124, 22);
    }
    SetLabelColour(n, Qt::white);
    connect(cb[n], &QComboBox::currentIndexChanged, this, [this] { cbChange(); });
  }

  btn_accept = new QPushButton("- ACCEPT -", this);
  btn_accept->setObjectName("btn_accept");
  btn_accept->setFont(Arial(12, true));
  btn_accept->setCursor(Qt::PointingHandCursor);
  btn_accept->setGeometry((448 - 120) / 2, 227 - 42, 120, 28);
  btn_accept->setAutoDefault(false);
  connect(btn_accept, &QPushButton::clicked, this, [this] { btn_acceptClick(); });

  for (int n = 1; n < kBindingCount; ++n) setTabOrder(cb[n], cb[n + 1]);
  setTabOrder(cb[kBindingCount], btn_accept);
  for (QWidget* child : findChildren<QWidget*>()) child->installEventFilter(this);
  // The open lists too, which are windows of their own.
  for (int n = 1; n <= kBindingCount; ++n) cb[n]->view()->installEventFilter(this);
}

void TKeysForm::SetLabelColour(int n, QColor colour) {
  QPalette pal = la[n]->palette();
  pal.setColor(QPalette::WindowText, colour);
  la[n]->setPalette(pal);
}

void TKeysForm::cbChange() {
  btn_accept->setEnabled(!CheckKeys());
}

bool TKeysForm::CheckKeys() {
  for (int n = 1; n <= kBindingCount; ++n) SetLabelColour(n, Qt::white);
  bool clash = false;
  for (int j = 1; j <= kBindingCount; ++j) {
    for (int k = 1; k <= kBindingCount; ++k) {
      // Texts are compared, so two lists without a selection clash too.
      if (j != k && cb[j]->currentText() == cb[k]->currentText()) {
        SetLabelColour(j, Qt::red);
        SetLabelColour(k, Qt::red);
        clash = true;
      }
    }
  }
  return clash;
}

void TKeysForm::btn_acceptClick() {
  std::array<int, kBindingCount> choices{};
  for (int n = 1; n <= kBindingCount; ++n) choices[n - 1] = cb[n]->currentIndex() + 1;
  host_.AcceptKeys(unit_, choices);
  host_.RefreshHints();
  host_.EnableMainWindow();
  hide();
}

void TKeysForm::CentreOnScreen() {
  tiko::CentreOnScreen(*this);
}

bool TKeysForm::FormKeyDown(QKeyEvent* event) {
  switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
      if (btn_accept->isEnabled()) btn_acceptClick();
      return true;
    case Qt::Key_Escape:
      host_.EnableMainWindow();
      hide();
      return true;
    default:
      return false;
  }
}

// Closed by the window manager (Alt+F4): like Escape, so the main window is usable again.
void TKeysForm::closeEvent(QCloseEvent* event) {
  host_.EnableMainWindow();
  QWidget::closeEvent(event);
}

// The dialog is the main window's, which stays disabled while it shows: a
// click or a key there, or the main window's activation, brings the dialog
// back to the front with the focus, also in fullscreen and after a window
// manager minimized it (openbox minimizes the main window along with it).
void TKeysForm::StayAboveMainWindow() {
  QWidget* main = host_.MainWidget();
  if (!main) return;
  if (!windowHandle() || windowHandle()->transientParent() != main->windowHandle()) {
    OwnWindow(*this, main);
  }
  main->removeEventFilter(this);
  main->installEventFilter(this);
}

bool TKeysForm::eventFilter(QObject* watched, QEvent* event) {
  if (watched == host_.MainWidget()) {
    const QEvent::Type type = event->type();
    // Open, even while minimized (which reads as not visible).
    if (!isHidden() && (type == QEvent::WindowActivate || type == QEvent::MouseButtonPress ||
                        type == QEvent::KeyPress)) {
      if (QGuiApplication::platformName().startsWith(QLatin1String("wayland"))) {
        // A Wayland compositor may take a program's wish to activate a window
        // for a mere hint (sway marks it urgent); a window mapped anew comes
        // to the front with the focus.
        // The main window has the focus back for a moment while the dialog
        // is away: that activation is not the player's.
        if (!remap_pending_ && !(remapped_.isValid() && remapped_.elapsed() < kRemapSettleMs)) {
          remap_pending_ = true;
          QTimer::singleShot(0, this, [this] {
            remap_pending_ = false;
            if (!isVisible()) return;
            remapped_.start();
            hide();
            show();
          });
        }
      } else {
        BringBack(*this);
      }
      return type == QEvent::KeyPress;  // the disabled game takes no key
    }
    return false;
  }
  if (event->type() == QEvent::KeyPress) {
    auto* key = static_cast<QKeyEvent*>(event);
    if (FormKeyDown(key) || SelectByPlace(watched, *key)) return true;
  }
  return QWidget::eventFilter(watched, event);
}

// A list takes a key as play does, by its place: the number row's digit on
// every layout, the letter printed on a letter key (a Russian Q key selects
// "Q"). Characters of keys with no entry select nothing.
bool TKeysForm::SelectByPlace(QObject* watched, const QKeyEvent& event) {
  QComboBox* list = nullptr;
  for (int n = 1; n <= kBindingCount && !list; ++n) {
    if (watched == cb[n] || watched == cb[n]->view()) list = cb[n];
  }
  const QString text = event.text();
  if (!list || text.isEmpty() || !text.at(0).isPrint() || text == " ") return false;
  const int choice = ChoiceOfKeyCode(VirtualKeyOf(event));
  if (choice == 0) return true;
  if (watched == list) {
    list->setCurrentIndex(choice - 1);
  } else {
    list->view()->setCurrentIndex(list->model()->index(choice - 1, list->modelColumn()));
  }
  return true;
}

void TKeysForm::keyPressEvent(QKeyEvent* event) {
  if (!FormKeyDown(event)) QWidget::keyPressEvent(event);
}

bool TKeysForm::event(QEvent* event) {
  if (event->type() == QEvent::Show) StayAboveMainWindow();
  if (event->type() == QEvent::WindowActivate || event->type() == QEvent::Show) {
    cb[1]->setFocus();
  }
  return QWidget::event(event);
}

}  // namespace tiko
