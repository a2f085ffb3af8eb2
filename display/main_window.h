// The main window TForm1: the unit on the desktop, windowed in its own outline
// or over the whole screen, painted from the unit's scene and driven by the
// keyboard, the mouse and the real-time host.
#pragma once

#include <QImage>
#include <QPoint>
#include <QPointer>
#include <QScreen>
#include <QWidget>

class QKeyEvent;
#include <array>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "config/skin/skin_loader.h"
#include "display/composed_pieces.h"
#include "display/compositor_watch.h"
#include "display/frame_buffer.h"
#include "display/frame_painter.h"
#include "display/paint_report.h"
#include "display/picture_shelf.h"
#include "display/presentation.h"
#include "display/realtime_host.h"
#include "display/session.h"
#include "display/switch_cover.h"
#include "display/window_shape.h"
#include "display/work_area_probe.h"
#include "engine/unit.h"
#include "input/gamepad/gamepads.h"
#include "input/keyboard/held_keys.h"

namespace tiko {

// The loader that lays the window out from the skin file: Gfx_Load_Skin in the
// program, a stand-in in tests.
using SkinLoader = std::function<void(Scene&, SkinPictures&, SkinWindow&, const DataFolders&)>;

struct FormParts {
  SettingsStore* store = nullptr;
  CueSink* cues = nullptr;
  SkinLoader load_skin;
  DataFolders data_dir;
  std::function<void()> close_output;  // Snd_Close_Output
};

class TForm1 : public QWidget, public SkinWindow, public ErrorSink {
 public:
  explicit TForm1(FormParts parts);
  ~TForm1() override;

  // The creation: title, off-screen, presentation, skin, keys, overlays, high
  // scores, mode 0, hints, random seed.
  void FormCreate();

  // Windowed <-> fullscreen; the menu entry and F12 call it.
  void pm_10_fullscreenClick();
  // Ends the program without the close handling.
  void pm_14_exitClick();

  void CentreOnScreen();

  // The player's zoom in percent, as stored; the unit may be drawn smaller to fit the screen.
  int Zoom() const { return zoom_; }
  void SetZoom(int percent);
  // Skin pixels to window pixels: the zoom, fitted to the screen.
  double Scale() const { return scale_; }
  // A window point in the skin's coordinates, and back.
  QPoint ScenePoint(QPointF pos) const;
  QPoint WindowPoint(QPoint scene) const;
  // Recomputes the button hints from the key bindings.
  void UpdateHints();

  Session& session() { return session_; }
  Unit& unit() { return session_.unit(); }
  HeldKeys& held_keys() { return session_.held_keys(); }
  Gamepads& gamepads() { return session_.gamepads(); }
  // Starts reading game controllers; the program calls it, the tests need not.
  void StartGamepads() { session_.gamepads().Start(); }
  // Runs `work` once the first frame is painted, back in the event loop (at
  // once when it has been): start-up work the first frame need not wait for.
  void AfterFirstFrame(std::function<void()> work);
  // Called before FormCreate: the picture thread decodes what the first frame
  // shows and then waits for it to be painted, leaving the processor to the
  // window and the display server meanwhile.
  void HoldPicturesUntilShown() { hold_pictures_ = true; }
  // The window is not shown for now (a splash window comes first): the
  // picture thread goes on.
  void StopHoldingPictures();
  const SkinPictures& pictures() const { return pictures_; }
  PictureShelf& picture_shelf() { return shelf_; }
  RealtimeHost& host() { return session_.host(); }
  bool TerminateRequested() const { return terminate_requested_; }
  bool ColourKeyOn() const { return colour_key_on_; }
  QColor WindowColour() const { return colour_; }
  bool UsesShapeMask() const { return !per_pixel_alpha_; }

  // The hint of the image under a point, empty when it has none.
  QString HintAt(QPoint pos) const;
  // The frame as it is painted, composed whole.
  QImage Frame() const;
  // Bytes held by the decoded pictures (those let go deflated) and by the frame.
  std::int64_t PictureBytes() const;
  std::int64_t FrameBytes() const;

  // Shows an error message; a modal box with the caption "Error" unless replaced.
  std::function<void(const QString&)> show_error_box;
  // Ends the event loop; a queued quit unless replaced.
  std::function<void()> terminate;
  // The in-game menu's click, wired by the menus.
  std::function<void()> on_game_menu_click;
  // Full screen or windowed, for whatever shows it to watch; the switch sets it.
  Presentation& presentation() { return presentation_; }

  // SkinWindow and ErrorSink
  bool FullscreenOn() const override;
  QSize ScreenSize() override;
  void SetClientHeight(int height) override;
  void SetClientWidth(int width) override;
  QSize ClientSize() override;
  void SetColor(std::uint32_t colorref) override;
  void SetColorKey(bool on, std::uint32_t colorref) override;
  void ShowError(const std::string& message) override;
  void RequestTerminate() override;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void keyReleaseEvent(QKeyEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  bool event(QEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  void showEvent(QShowEvent* event) override;

 private:
  void LoadSkin();
  // The skin's pictures left undecoded by the loader (see PendingPictures):
  // those of the visible images are taken before a frame is drawn, the rest
  // come from their thread in the order the lid's opening needs them.
  void TakeVisiblePictures();
  void TakeAllPictures();
  void TakeReadyPictures();
  // Starts decoding the pictures left on a thread, `first` before the others.
  void StartPictureThread(std::vector<ImageId> first = {});
  // After a picture was taken: the copy drawn follows, or a failure's message
  // waits for its turn and the layout is drawn anew.
  void PictureTaken(ImageId id, std::string message);
  void TellSkinMessages();
  void MoveOffScreen();
  // Covers the screen while the presentation switches.
  void CoverTheSwitch();
  // The zoom keys; true when the key was one of them.
  bool ZoomKey(const QKeyEvent& event);
  // The player's steps from the zoom shown, as far as the unit fits the screen.
  void ZoomBy(int steps);
  bool CtrlBound() const;
  // The screen area the unit must fit: the work area, or the screen in fullscreen.
  QRect ScreenArea() const;
  // Sizes the window to the client at the current scale and brings the
  // pictures to the scale they are drawn at.
  void ApplyScale();
  // A new screen, screen size or work area: the unit fitted again.
  void RefitToScreen();
  double DeviceScale() const;
  void WatchScreen(QScreen* screen);
  // Follows a compositor starting or stopping: per-pixel alpha while one runs.
  void WatchCompositor();
  void CompositorChanged(bool running);
  // Repaints what changed in the scene or the layout since the last frame.
  void Refresh();
  QRegion RenderFrame();
  FrameLook Look() const;
  // The frame's pixels within `rect`, as painted.
  QImage FramePart(QRect rect) const;
  ComposedLook CurrentLook() const;
  void ApplyOutline(const QRegion& area);
  void PressAt(Qt::MouseButton button, QPoint pos);
  void EndButtonPress();
  void UpdatePointer(QPoint pos);

  FormParts parts_;
  Session session_;
  Unit& unit_;  // the session's
  SkinPictures pictures_;
  PictureTable prepared_;  // the pictures at prepared_scale_
  double prepared_scale_ = 0;
  // Once every picture is decoded, those not shown for a while are let go.
  PictureShelf shelf_{pictures_.picture, prepared_, [this] { return !pictures_.pending; }};
  bool scale_budget_told_ = false;          // the pictures past the budget at a scale, once a skin
  bool menu_drawn_here_ = false;            // the skin names no in-game menu picture
  std::vector<std::string> skin_messages_;  // found while drawing, told next
  bool telling_ = false;
  std::array<QString, kImageEnd> hints_;

  QSize client_{500, 690};  // in skin pixels
  int zoom_ = 100;
  double scale_ = 1.0;
  bool screen_watched_ = false;
  QPointer<QScreen> watched_screen_;
  // On Wayland: the work area a maximized window is given, once known.
  QSize work_area_;
  std::unique_ptr<WorkAreaProbe> work_area_probe_;
  int wheel_delta_ = 0;
  QColor colour_;
  bool colour_key_on_ = false;
  QRgb key_colour_ = 0;
  bool per_pixel_alpha_ = false;
  bool terminate_requested_ = false;
  Presentation presentation_;

  FrameBuffer frame_;
  ComposedPieces composed_;  // from the outline to the paint
  std::unique_ptr<CompositorWatch> compositor_watch_;
  Outline outline_;
  bool layout_dirty_ = true;
  bool first_frame_reported_ = false;
  bool hold_pictures_ = false;
  std::function<void()> after_first_frame_;
  SwitchCover cover_;
  std::unique_ptr<PaintReport> paint_report_ = PaintReport::FromEnvironment();

  ImageId pressed_button_ = kNoImage;  // the button that took the left press
  ImageId drag_image_ = kNoImage;
  QPoint drag_origin_;  // the press point in the pressed image's coordinates
  int pointer_shape_ = -1;
  QPoint pointer_;  // where the pointer was last seen over the window
};

// Milliseconds since the program started, for the first-frame report, which
// also tells when each step of the start-up named here was done.
void MarkProgramStart();
void MarkStartupStep(const char* name);

}  // namespace tiko
