#include "display/main_window.h"

#include <QBitmap>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QMessageBox>
#include <QPaintEvent>
#include <QPainter>
#include <QScreen>
#include <QTimer>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <utility>

#include "display/game_menu_picture.h"
#include "display/hints.h"
#include "display/mouse_targets.h"
#include "display/picture_scaling.h"
#include "display/switch_cover.h"
#include "display/wayland_window.h"
#include "display/window_shape.h"
#include "display/zoom.h"

namespace tiko {

namespace {

const char* const kTitle = "Bolo Garu Tiko (Vexmar, Ticklet Skyglass) Simulator";

std::chrono::steady_clock::time_point& ProgramStart() {
  static std::chrono::steady_clock::time_point start = std::chrono::steady_clock::now();
  return start;
}

long long MsSinceStart() {
  return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() -
                                                               ProgramStart())
      .count();
}

// The start-up's steps for the first-frame report: "name N ms" each.
std::string& StartupSteps() {
  static std::string steps;
  return steps;
}

QRgb RgbOf(std::uint32_t colorref) {
  return qRgb(colorref & 0xff, (colorref >> 8) & 0xff, (colorref >> 16) & 0xff);
}

}  // namespace

void MarkProgramStart() {
  ProgramStart() = std::chrono::steady_clock::now();
}

void MarkStartupStep(const char* name) {
  StartupSteps() += std::string(StartupSteps().empty() ? "" : ", ") + name + " " +
                    std::to_string(MsSinceStart()) + " ms";
}

TForm1::TForm1(FormParts parts)
    : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint),
      parts_(std::move(parts)),
      session_(
          SessionPorts{parts_.cues, parts_.store, this}, [this] { Refresh(); },
          [this] { UpdateHints(); }),
      unit_(session_.unit()) {
  // A window with an alpha channel, so that it can blend with the desktop
  // whenever a compositor runs; without one every shown pixel is opaque.
  setAttribute(Qt::WA_TranslucentBackground);
  WatchCompositor();  // first: a compositor that starts meanwhile is told
  per_pixel_alpha_ = compositor_watch_ ? compositor_watch_->Running() : CompositorRunning();
  setAttribute(Qt::WA_NoSystemBackground);
  setMouseTracking(true);
  setFocusPolicy(Qt::StrongFocus);
  resize(client_);
  if (OnWayland()) {
    // The unit fits the work area once it is known, as it fits X's work area.
    work_area_probe_ = std::make_unique<WorkAreaProbe>([this](QSize area) {
      work_area_ = area;
      RefitToScreen();
    });
    work_area_probe_->Start();
  }

  // The in-game menu's click area sits in the corner; its picture is drawn when
  // first needed, in fullscreen.
  unit_.LayOut([](Scene& scene) { scene.SetBounds(btn_game_menu_top, 0, 0, 36, 32); });

  show_error_box = [this](const QString& message) {
    // A box of the shown unit stays above it, fullscreen too; before the unit
    // shows (or off the screen) it stays on top instead.
    const bool owned = isVisible() && geometry().intersects(screen()->geometry());
    QMessageBox box(QMessageBox::Critical, QStringLiteral("Error"), message, QMessageBox::Ok,
                    owned ? this : nullptr);
    if (!owned) box.setWindowFlag(Qt::WindowStaysOnTopHint);
    box.exec();
  };
  terminate = [] {
    QMetaObject::invokeMethod(QCoreApplication::instance(), &QCoreApplication::quit,
                              Qt::QueuedConnection);
  };
  shelf_.let_go = [this] {
    if (paint_report_) paint_report_->MemoryChanged(PictureBytes(), FrameBytes());
  };
  session_.on_fullscreen_key = [this] { pm_10_fullscreenClick(); };
  session_.on_exit_key = [this] { pm_14_exitClick(); };
}

TForm1::~TForm1() {
  if (pictures_.pending) pictures_.pending->Stop();
}

void TForm1::FormCreate() {
  setWindowTitle(QString::fromUtf8(kTitle));
  MoveOffScreen();
  // The presentation is the window's; a value that cannot be read is shown
  // and reads as full screen, as an absent one does.
  try {
    presentation_.Set(!parts_.store || parts_.store->ReadBool("FullscreenMode", true));
  } catch (const UnitError& e) {
    ShowError(e.what());
    presentation_.Set(true);
  }
  try {
    if (parts_.store) zoom_ = ValidZoom(parts_.store->ReadInteger("Zoom", kZoomDefault));
  } catch (const UnitError&) {
    zoom_ = kZoomDefault;  // a damaged value reads as absent
  }
  LoadSkin();
  // A skin error does not cost the player the keys, the overlays or the high scores.
  unit_.CreateFinish();
  UpdateHints();
  session_.Seed(
      static_cast<std::uint32_t>(std::chrono::steady_clock::now().time_since_epoch().count()));
  session_.Begin();
  Refresh();
}

void TForm1::LoadSkin() {
  // The loader keeps what it replaces, to put it back should the skin fail.
  shelf_.TakeLoadedBack();
  // What the last run left undecoded ends first, as it would have in that run.
  TakeAllPictures();
  TellSkinMessages();
  // The copies at the window's scale go before the skin's pictures are read anew.
  prepared_ = {};
  prepared_scale_ = 0;
  scale_budget_told_ = false;
  pictures_.defer = true;
  try {
    if (parts_.load_skin) {
      unit_.LayOut(
          [&](Scene& scene) { parts_.load_skin(scene, pictures_, *this, parts_.data_dir); });
    }
  } catch (const std::exception& e) {
    ShowError(e.what());
  }
  TakeVisiblePictures();
  TellSkinMessages();
  if (first_frame_reported_) StartPictureThread();
  QImage& menu = pictures_.picture[btn_game_menu_background];
  if (FullscreenOn() && menu.isNull()) {
    menu = GameMenuPicture();
    menu_drawn_here_ = true;
  }
  // Windowed, the unit's size is known only now; fullscreen fitted it when
  // the loader asked for the screen.
  if (!FullscreenOn()) scale_ = FitScale(client_, ScreenArea().size(), zoom_);
  prepared_scale_ = 0;
  ApplyScale();
}

void TForm1::UpdateHints() {
  for (int id = 1; id < kImageEnd; ++id) {
    hints_[id] = QString::fromStdString(
        HintOf(unit_, static_cast<ImageId>(id), session_.gamepads().Connected()));
  }
  if (FullscreenOn()) return;  // no dragging, no zoom
  const QString zoom = QString::fromStdString(ZoomHint(CtrlBound()));
  for (ImageId body :
       {im_background_bottom, im_background_back, im_background_front, im_background_screen_top}) {
    hints_[body] = zoom;
  }
}

QString TForm1::HintAt(QPoint pos) const {
  const QPoint at = ScenePoint(pos);
  return hints_[TargetAt(unit_.scene(), at.x(), at.y())];
}

// --- presentation ---

void TForm1::pm_10_fullscreenClick() {
  session_.Handle([this] {
    presentation_.Set(!FullscreenOn());
    if (parts_.store) parts_.store->WriteBool("FullscreenMode", FullscreenOn());
    // Unmapped, not merely moved away: a window manager that keeps windows on
    // the screen would show the relayout.
    const bool shown = isVisible();
    // A still of the screen hides the unmapped gap and the new window until
    // it is drawn: no frame of bare desktop, none of an empty window.
    if (shown) CoverTheSwitch();
    hide();
    MoveOffScreen();
    LoadSkin();  // shows its own error; the window comes back on screen either way
    UpdateHints();
    CentreOnScreen();
    if (shown) {
      show();
      raise();
      activateWindow();
    }
  });
}

void TForm1::CoverTheSwitch() {
  if (!cover_.Show()) return;
  // Gone once the window is back on the screen (the old picture stays in its
  // place until the new one is painted), or after half a second at most.
  auto* poll = new QTimer(this);
  const auto started = std::chrono::steady_clock::now();
  connect(poll, &QTimer::timeout, this, [this, poll, started] {
    const bool back = isVisible() && SwitchCover::Viewable(winId());
    if (back || std::chrono::steady_clock::now() - started > std::chrono::milliseconds(500)) {
      cover_.Remove();
      poll->deleteLater();
    }
  });
  poll->start(5);
}

void TForm1::pm_14_exitClick() {
  if (terminate) terminate();
}

// Wayland lets no window place itself: the compositor places it, and maps it
// only when it is shown.
void TForm1::MoveOffScreen() {
  if (OnWayland()) return;
  const QSize screen = QGuiApplication::primaryScreen()->size();
  move(-screen.width(), -screen.height());
}

void TForm1::CentreOnScreen() {
  if (OnWayland()) return;
  const QRect screen = QGuiApplication::primaryScreen()->geometry();
  const QPoint centred(screen.x() + (screen.width() - width()) / 2,
                       screen.y() + (screen.height() - height()) / 2);
  move(KeepInside(QRect(centred, size()), ScreenArea()));
}

// --- SkinWindow ---

bool TForm1::FullscreenOn() const {
  return presentation_.Fullscreen();
}

QSize TForm1::ScreenSize() {
  const QSize screen = QGuiApplication::primaryScreen()->size();
  // The client holds the unit's size now: fullscreen draws it at the zoom that fits.
  if (FullscreenOn()) scale_ = FitScale(client_, screen, zoom_);
  return ScaledSize(screen, 1.0 / scale_);
}

void TForm1::SetClientHeight(int height) {
  client_.setHeight(height);
  layout_dirty_ = true;
}

void TForm1::SetClientWidth(int width) {
  client_.setWidth(width);
  layout_dirty_ = true;
}

QSize TForm1::ClientSize() {
  return client_;
}

void TForm1::SetColor(std::uint32_t colorref) {
  colour_ = QColor(RgbOf(colorref));
  layout_dirty_ = true;
}

void TForm1::SetColorKey(bool on, std::uint32_t colorref) {
  colour_key_on_ = on;
  key_colour_ = RgbOf(colorref);
  layout_dirty_ = true;
}

void TForm1::ShowError(const std::string& message) {
  // A message comes after every one the skin's pictures would have given before it.
  TakeAllPictures();
  TellSkinMessages();
  if (show_error_box) show_error_box(QString::fromStdString(message));
}

// --- the skin's pictures left undecoded ---

void TForm1::PictureTaken(ImageId id, std::string message) {
  if (message.empty()) {
    if (prepared_scale_ == 1.0) prepared_[id] = pictures_.picture[id];
    return;
  }
  skin_messages_.push_back(std::move(message));
  // The run ended earlier than it seemed: the copies drawn follow what it left.
  if (prepared_scale_ != 0) {
    shelf_.TakeLoadedBack();
    prepared_ = {};
    prepared_ = ScalePictures(pictures_, prepared_scale_, devicePixelRatioF()).table;
    layout_dirty_ = true;
  }
  QTimer::singleShot(0, this, [this] {
    TellSkinMessages();
    Refresh();
  });
}

void TForm1::TakeVisiblePictures() {
  if (!pictures_.pending) return;
  // With several to decode, this one takes them in entry order and the thread
  // every second one from the second on (the case pictures, the largest, lead
  // the table, so each gets one of them), then the rest from the last, and
  // goes on with the rest of the skin after.
  std::vector<ImageId> visible;
  for (int id = 1; id < kImageEnd; ++id) {
    const Image& image = unit_.scene()[static_cast<ImageId>(id)];
    if (image.visible && image.picture != kNoImage && pictures_.pending->Pending(image.picture) &&
        std::find(visible.begin(), visible.end(), image.picture) == visible.end()) {
      visible.push_back(image.picture);
    }
  }
  if (visible.size() > 1) {
    std::vector<ImageId> first;
    for (std::size_t i = 1; i < visible.size(); i += 2) first.push_back(visible[i]);
    for (std::size_t i = visible.size(); i-- > 0;) {
      if (i % 2 == 0) first.push_back(visible[i]);
    }
    StartPictureThread(std::move(first));
  }
  for (int id = 1; id < kImageEnd && pictures_.pending; ++id) {
    const Image& image = unit_.scene()[static_cast<ImageId>(id)];
    if (!image.visible || image.picture == kNoImage || !pictures_.pending->Pending(image.picture))
      continue;
    const ImageId shown = image.picture;
    std::string message;
    unit_.LayOut([&](Scene& scene) { message = TakePending(scene, pictures_, shown); });
    PictureTaken(shown, std::move(message));
  }
}

void TForm1::TakeAllPictures() {
  if (!pictures_.pending) return;
  std::string message;
  unit_.LayOut([&](Scene& scene) { message = TakeAllPending(scene, pictures_); });
  if (!message.empty()) {
    PictureTaken(kNoImage, std::move(message));
    return;
  }
  if (prepared_scale_ == 1.0) {
    for (int id = 1; id < kImageEnd; ++id) {
      if (prepared_[id].isNull()) prepared_[id] = pictures_.picture[id];
    }
  }
}

void TForm1::TakeReadyPictures() {
  if (!pictures_.pending) return;
  for (ImageId id : pictures_.pending->Ready()) {
    if (!pictures_.pending) break;
    std::string message;
    unit_.LayOut([&](Scene& scene) { message = TakePending(scene, pictures_, id); });
    PictureTaken(id, std::move(message));
  }
}

void TForm1::StartPictureThread(std::vector<ImageId> first) {
  if (!pictures_.pending || pictures_.pending->Started()) return;
  // The lid's opening shows the open case, the LCD's frame and every segment.
  const std::size_t first_count = first.size();
  std::vector<ImageId> order = std::move(first);
  for (ImageId id : {im_background_back, im_background_screen_top, im_game_background})
    order.push_back(id);
  for (int id = im_panel_miss_0; id <= static_cast<int>(im_miss_2); ++id)
    order.push_back(static_cast<ImageId>(id));
  QPointer<TForm1> self(this);
  std::optional<std::size_t> hold_after;
  if (hold_pictures_ && !first_frame_reported_) hold_after = first_count;
  pictures_.pending->Start(
      order,
      [self] {
        QMetaObject::invokeMethod(
            self,
            [self] {
              if (self) self->TakeReadyPictures();
            },
            Qt::QueuedConnection);
      },
      hold_after);
}

void TForm1::StopHoldingPictures() {
  hold_pictures_ = false;
  if (pictures_.pending) pictures_.pending->Release();
}

void TForm1::TellSkinMessages() {
  if (telling_) return;
  telling_ = true;
  while (!skin_messages_.empty()) {
    const std::string message = skin_messages_.front();
    skin_messages_.erase(skin_messages_.begin());
    if (show_error_box) show_error_box(QString::fromStdString(message));
  }
  telling_ = false;
}

void TForm1::RequestTerminate() {
  terminate_requested_ = true;
  if (terminate) terminate();
}

void TForm1::WatchCompositor() {
  if (QGuiApplication::platformName() != QLatin1String("xcb")) return;
  compositor_watch_ =
      CompositorWatch::Install([this](bool running) { CompositorChanged(running); });
  if (compositor_watch_) return;
  // Without XFixes, asking once a second costs two round trips.
  auto* timer = new QTimer(this);
  connect(timer, &QTimer::timeout, this, [this] { CompositorChanged(CompositorRunning()); });
  timer->start(1000);
}

void TForm1::CompositorChanged(bool running) {
  if (running == per_pixel_alpha_) return;
  per_pixel_alpha_ = running;
  layout_dirty_ = true;
  Refresh();
}

// --- painting ---

void TForm1::Refresh() {
  const QRegion area = RenderFrame();
  if (area.isEmpty()) return;
  const double ratio = devicePixelRatioF();
  if (ratio == 1.0) {
    update(area);
  } else {
    QRegion shown;
    for (const QRect& rect : area) {
      shown +=
          QRectF(rect.x() / ratio, rect.y() / ratio, rect.width() / ratio, rect.height() / ratio)
              .toAlignedRect();
    }
    update(shown);
  }
  if (underMouse()) UpdatePointer(pointer_);
}

FrameLook TForm1::Look() const {
  return FrameLook{ScaledSize(size(), devicePixelRatioF()), colour_, pictures_.backdrop_stretch,
                   prepared_scale_};
}

ComposedLook TForm1::CurrentLook() const {
  return ComposedLook{Look(), colour_key_on_ && per_pixel_alpha_, key_colour_};
}

QImage TForm1::FramePart(QRect rect) const {
  const ComposedLook look = CurrentLook();
  QImage part = ComposeFrame(unit_.scene(), prepared_, look.look, rect);
  if (look.clear_key) ClearKeyColour(part, part.rect(), key_colour_);
  return part;
}

QImage TForm1::Frame() const {
  const QSize size = frame_.size().isValid() ? frame_.size() : Look().client;
  return FramePart(QRect(QPoint(0, 0), size));
}

QRegion TForm1::RenderFrame() {
  TakeVisiblePictures();
  shelf_.Showing(unit_.scene());
  const QRegion area = frame_.Render(unit_.scene(), prepared_, Look(), layout_dirty_);
  layout_dirty_ = false;
  if (!area.isEmpty()) ApplyOutline(area);
  return area;
}

void TForm1::ApplyOutline(const QRegion& area) {
  if (!colour_key_on_) {
    composed_.Clear();  // the paint composes each place itself
    if (!outline_.mask().isNull()) {
      outline_.Clear();
      clearMask();
    }
    return;
  }
  // The window's shape is the outline with or without a compositor: see-through
  // pixels never take the mouse. It is read from the key colour before that turns clear.
  // The pieces are kept for the paint that follows, as it would compose them.
  bool changed = false;
  const ComposedLook look = CurrentLook();
  for (const QRect& piece : FramePieces(area)) {
    QImage part = ComposeFrame(unit_.scene(), prepared_, look.look, piece);
    changed = outline_.Update(part, piece.topLeft(), frame_.size(), key_colour_) || changed;
    if (look.clear_key) ClearKeyColour(part, part.rect(), key_colour_);
    composed_.Keep(piece, std::move(part), look);
  }
  if (changed) {
    const QRegion shown(QBitmap::fromImage(ShrinkMask(outline_.mask(), size())));
    // An empty mask means no mask to Qt, and the whole window would show: a
    // window all of the key colour is kept to a place outside itself instead.
    setMask(shown.isEmpty() ? QRegion(-1, -1, 1, 1) : shown);
  }
}

void TForm1::paintEvent(QPaintEvent* event) {
  RenderFrame();
  QPainter painter(this);
  painter.setCompositionMode(QPainter::CompositionMode_Source);
  painter.setClipRegion(event->region());
  // The frame is at the screen's resolution: one frame pixel per device pixel.
  const double ratio = devicePixelRatioF();
  QRegion device;
  for (const QRect& rect : event->region()) {
    device +=
        QRectF(rect.x() * ratio, rect.y() * ratio, rect.width() * ratio, rect.height() * ratio)
            .toAlignedRect();
  }
  device &= QRect(QPoint(0, 0), frame_.size());
  const ComposedLook look = CurrentLook();
  for (const QRect& piece : FramePieces(device)) {
    QPoint origin;
    const QImage* kept = composed_.Covering(piece, look, &origin);
    const QImage part = kept ? QImage() : FramePart(piece);
    const QImage& from = kept ? *kept : part;
    const QRect source = kept ? piece.translated(-origin) : part.rect();
    if (ratio == 1.0) {
      painter.drawImage(piece.topLeft(), from, source);
    } else {
      painter.drawImage(QRectF(piece.x() / ratio, piece.y() / ratio, piece.width() / ratio,
                               piece.height() / ratio),
                        from, source);
    }
  }
  composed_.Clear();
  if (paint_report_) paint_report_->Painted(event->region(), PictureBytes(), FrameBytes());
  if (!first_frame_reported_) {
    first_frame_reported_ = true;
    if (qEnvironmentVariableIsSet("TIKO_REPORT_FIRST_FRAME")) {
      std::printf("tiko: first frame painted %lld ms after start (%s)\n", MsSinceStart(),
                  StartupSteps().c_str());
      std::fflush(stdout);
    }
    if (after_first_frame_) QTimer::singleShot(0, this, std::exchange(after_first_frame_, {}));
    if (pictures_.pending) pictures_.pending->Release();  // held until this frame
    StartPictureThread();
  }
}

void TForm1::AfterFirstFrame(std::function<void()> work) {
  if (first_frame_reported_) {
    work();
  } else {
    after_first_frame_ = std::move(work);
  }
}

std::int64_t TForm1::PictureBytes() const {
  std::int64_t bytes = shelf_.Bytes();
  for (std::size_t id = 0; id < prepared_.size(); ++id) {
    const QImage& loaded = pictures_.picture[id];
    const QImage& drawn = prepared_[id];
    bytes += loaded.sizeInBytes();
    // The drawn copy shares the loaded one's data when it needed no conversion.
    if (!drawn.isNull() && (loaded.isNull() || drawn.constBits() != loaded.constBits()))
      bytes += drawn.sizeInBytes();
  }
  return bytes;
}

std::int64_t TForm1::FrameBytes() const {
  return 0;  // composed piece by piece as it is painted: none kept
}

void TForm1::closeEvent(QCloseEvent* event) {
  if (parts_.close_output) parts_.close_output();
  event->accept();
  // The program ends with its main window, whatever other window is still shown.
  if (terminate) terminate();
}

}  // namespace tiko
