#include "app/shell/splash_form.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QScreen>
#include <QTimer>

#include "app/shell/link_label.h"
#include "app/shell/shell_pictures.h"
#include "app/shell/shell_texts.h"
#include "input/dialog/owned_window.h"

namespace tiko {

namespace {

// An image that runs an action when clicked with the left button.
class ImageButton : public QLabel {
 public:
  ImageButton(QWidget* parent, std::function<void()> action)
      : QLabel(parent), action_(std::move(action)) {}

 protected:
  void mouseReleaseEvent(QMouseEvent* event) override {
    if (event->button() == Qt::LeftButton && isEnabled() &&
        rect().contains(event->position().toPoint())) {
      action_();
    }
  }

 private:
  std::function<void()> action_;
};

// White text and a white box on the window's dark band.
class BandCheckBox : public QCheckBox {
 public:
  using QCheckBox::QCheckBox;

 protected:
  bool hitButton(const QPoint& pos) const override { return rect().contains(pos); }
  void paintEvent(QPaintEvent*) override {
    QPainter g(this);
    g.setRenderHint(QPainter::Antialiasing);
    g.fillRect(rect(), QColor(8, 41, 82));
    const QRectF box(2.5, (height() - 13) / 2.0 + 0.5, 12, 12);
    g.setPen(QPen(hasFocus() ? QColor(240, 190, 40) : QColor(160, 180, 205), 1));
    g.setBrush(Qt::white);
    g.drawRoundedRect(box, 2, 2);
    if (isChecked()) {
      QPainterPath tick;
      tick.moveTo(box.left() + 2.5, box.center().y());
      tick.lineTo(box.left() + 5, box.bottom() - 3);
      tick.lineTo(box.right() - 2.5, box.top() + 3);
      g.setPen(QPen(QColor(8, 41, 82), 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
      g.setBrush(Qt::NoBrush);
      g.drawPath(tick);
    }
    g.setPen(Qt::white);
    g.setFont(font());
    g.drawText(rect().adjusted(22, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter, text());
  }
};

QFont Arial(int pixels, bool bold) {
  QFont f("Arial");
  f.setPixelSize(pixels);
  f.setBold(bold);
  return f;
}

QLabel* Label(QWidget* parent, const QString& text, QRect place, const QFont& font, QColor ink,
              Qt::Alignment align = Qt::AlignLeft | Qt::AlignVCenter) {
  auto* label = new QLabel(text, parent);
  label->setGeometry(place);
  label->setFont(font);
  label->setAlignment(align);
  QPalette pal = label->palette();
  pal.setColor(QPalette::WindowText, ink);
  label->setPalette(pal);
  return label;
}

LinkLabel* Link(QWidget* parent, const QString& text, QRect place, const QString& target) {
  auto* link = new LinkLabel(text, parent);
  link->setGeometry(place);
  QFont f = Arial(12, true);
  f.setUnderline(true);
  link->setFont(f);
  QPalette pal = link->palette();
  pal.setColor(QPalette::WindowText, QColor(24, 82, 148));
  link->setPalette(pal);
  // The splash window stays open after a link.
  link->onClick = [target] { ShellOpen(target); };
  return link;
}

}  // namespace

TSplashForm::TSplashForm(SettingsStore& store, SplashHost& host, bool& first_activation)
    : QWidget(nullptr, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      store_(store),
      host_(host) {
  int sound_mode = -1;
  try {
    sound_mode = store_.ReadInteger("SoundMode", -1);
  } catch (const UnitError& e) {
    host_.ShowError(e.what());  // the value reads as absent
  }
  const bool output_known = sound_mode >= 0 && sound_mode <= 2;
  bool splash_on = true;
  try {
    splash_on = store_.ReadBool("SplashScreen", true);
  } catch (const UnitError& e) {
    host_.ShowError(e.what());
  }

  if (output_known && !splash_on) {
    // Never shown: its controls are not made, which spares the unit's first
    // frame a few milliseconds.
    first_activation = false;
    started_directly_ = true;
    Start(sound_mode, false);
    return;
  }
  Build();
  cb_sound->setCurrentIndex(output_known ? sound_mode : -1);
  chb_splashscreen->setChecked(splash_on);
  CentreOnScreen();
  UpdatePlay();
}

void TSplashForm::Build() {
  setWindowTitle("About this game...");
  setFixedSize(460, 420);
  setAutoFillBackground(true);
  QPalette pal = palette();
  pal.setColor(QPalette::Window, Qt::white);
  setPalette(pal);

  auto* background = new QLabel(this);
  background->setObjectName("im_background");
  background->setGeometry(0, 0, 460, 420);
  background->setScaledContents(true);
  SetPixmapWhenShown(background, ShellPicture::kSplashBackground);

  auto* box = new QLabel(this);
  box->setObjectName("im_box_picture");
  box->setGeometry(0, 56, 460, 160);
  box->setAlignment(Qt::AlignCenter);
  SetPixmapWhenShown(box, ShellPicture::kSplashBox);

  const auto centred = Qt::AlignHCenter | Qt::AlignVCenter;
  Label(this, shell_text::kTitle, {0, 12, 460, 15}, Arial(12, true), Qt::white, centred)
      ->setObjectName("la_game_title");
  Label(this, shell_text::kVersion, {0, 28, 460, 15}, Arial(12, true), Qt::white, centred)
      ->setObjectName("la_version");
  Label(this, shell_text::ReleaseNote(), {0, 236, 460, 15}, Arial(12, false), Qt::black, centred)
      ->setObjectName("la_release_date");
  Label(this, "website:", {118, 259, 56, 15}, Arial(12, false), Qt::black)
      ->setObjectName("la_website_1");
  Link(this, shell_text::WebsiteShown(), {174, 259, 168, 15}, shell_text::WebsiteUrl())
      ->setObjectName("la_website_2");
  Label(this, "email:", {118, 282, 56, 15}, Arial(12, false), Qt::black)
      ->setObjectName("la_email_1");
  Link(this, shell_text::EmailShown(), {174, 282, 168, 15}, shell_text::EmailUrl())
      ->setObjectName("la_email_2");
  Label(this, "Select sound driver:", {98, 308, 116, 15}, Arial(12, false), Qt::black)
      ->setObjectName("la_sound_select");

  cb_sound = new QComboBox(this);
  cb_sound->setObjectName("cb_sound");
  cb_sound->setGeometry(217, 308, 144, 21);
  cb_sound->setFont(Arial(12, false));
  for (const SoundOutputInfo& info : kSoundOutputs) {
    cb_sound->addItem(QString::fromUtf8(info.entry.data(), info.entry.size()));
  }
  cb_sound->setMaxVisibleItems(3);
  cb_sound->setCurrentIndex(-1);
  connect(cb_sound, &QComboBox::currentIndexChanged, this, [this] {
    UpdatePlay();
    cb_sound->setToolTip(cb_sound->currentData(Qt::ToolTipRole).toString());
  });

  btn_play = new ImageButton(this, [this] { btn_playClick(); });
  btn_play->setObjectName("btn_play");
  btn_play->setGeometry(116, 340, 107, 30);
  SetPixmapWhenShown(btn_play, ShellPicture::kPlay);
  btn_play->setCursor(Qt::PointingHandCursor);

  btn_play_disabled = new QLabel(this);
  btn_play_disabled->setObjectName("btn_play_disabled");
  btn_play_disabled->setGeometry(116, 340, 107, 30);
  SetPixmapWhenShown(btn_play_disabled, ShellPicture::kPlayDisabled);
  btn_play_disabled->setCursor(Qt::WhatsThisCursor);
  btn_play_disabled->setToolTip("please select sound driver first");
  btn_play_disabled->hide();

  auto* paypal = new ImageButton(this, [] { ShellOpen(shell_text::DonateUrl()); });
  paypal->setObjectName("btn_paypal");
  paypal->setGeometry(237, 340, 107, 30);
  SetPixmapWhenShown(paypal, ShellPicture::kDonate);
  paypal->setCursor(Qt::PointingHandCursor);

  chb_splashscreen = new BandCheckBox("Display this splash screen at startup", this);
  chb_splashscreen->setObjectName("chb_splashscreen");
  chb_splashscreen->setGeometry(12, 391, 444, 17);
  chb_splashscreen->setFont(Arial(12, false));
  chb_splashscreen->setChecked(true);

  // The window sees every key before its controls.
  for (QWidget* child : findChildren<QWidget*>()) child->installEventFilter(this);
}

void TSplashForm::DescribeOutputs() {
  if (outputs_described_) return;
  outputs_described_ = true;
  for (int i = 0; i < cb_sound->count(); ++i) {
    const std::string tip = host_.DescribeOutput(kSoundOutputs[i].output);
    cb_sound->setItemData(i, QString::fromStdString(tip), Qt::ToolTipRole);
  }
  cb_sound->setToolTip(cb_sound->currentData(Qt::ToolTipRole).toString());
}

void TSplashForm::UpdatePlay() {
  const bool enabled = !cb_sound->currentText().isEmpty();
  btn_play->setEnabled(enabled);
  btn_play->setVisible(enabled);
  btn_play_disabled->setVisible(!enabled);
}

bool TSplashForm::SplashChecked() const {
  return chb_splashscreen != nullptr && chb_splashscreen->isChecked();
}

void TSplashForm::btn_playClick() {
  Start(cb_sound->currentIndex(), chb_splashscreen->isChecked());
}

void TSplashForm::Start(int output, bool on) {
  if (!host_.Snd_Open_Output(SoundOutputAt(output))) return;
  store_.WriteBool("SplashScreen", on);
  host_.SetSplashScreenCheck(on);
  host_.StartUnit();
  hide();
}

void TSplashForm::CentreOnScreen() {
  tiko::CentreOnScreen(*this);
}

bool TSplashForm::FormKeyDown(QKeyEvent* event) {
  const bool keypad = event->modifiers() & Qt::KeypadModifier;
  switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
      if (btn_play->isEnabled()) btn_playClick();
      return true;
    case Qt::Key_1:
      if (keypad) return false;
      if (btn_play->isEnabled()) btn_playClick();
      return true;
    case Qt::Key_Escape:
      host_.RequestTerminate();
      return true;
    default:
      return false;
  }
}

bool TSplashForm::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::KeyPress && FormKeyDown(static_cast<QKeyEvent*>(event))) {
    return true;
  }
  return QWidget::eventFilter(watched, event);
}

void TSplashForm::keyPressEvent(QKeyEvent* event) {
  if (!FormKeyDown(event)) QWidget::keyPressEvent(event);
}

// Closed by the window manager (Alt+F4): like Escape, since the unit is still
// off the screen and nothing else could end the program.
void TSplashForm::closeEvent(QCloseEvent* event) {
  host_.RequestTerminate();
  QWidget::closeEvent(event);
}

bool TSplashForm::event(QEvent* event) {
  if (cb_sound == nullptr) return QWidget::event(event);  // started directly
  if (event->type() == QEvent::WindowActivate || event->type() == QEvent::Show) {
    cb_sound->setFocus();
  }
  // Asking the sound system takes a moment: once the window shows, not before.
  if (event->type() == QEvent::Show && !outputs_described_) {
    QTimer::singleShot(0, this, [this] { DescribeOutputs(); });
  }
  return QWidget::event(event);
}

}  // namespace tiko
