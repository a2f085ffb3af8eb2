// Composes the skin the way the main window shows it, for a few moments of the
// unit's life, and writes each as a PNG:
//   closed.png, all-segments.png, clock.png (10:08), highscore.png, game.png, pressed.png,
//   fullscreen.png
//
//   skin_preview --bin build/bin --out DIR [--desk]
//
// The windowed pictures keep the transparency colour outside the unit; with
// --desk it becomes a desk with the unit's shadow (for screenshots).
#include <QDir>
#include <QGuiApplication>
#include <QPainter>
#include <cstdio>

#include "config/skin/skin_loader.h"
#include "display/frame_painter.h"
#include "engine/segments.h"
#include "engine/unit.h"
#include "engine/unit_probe.h"
#include "tools/skin_preview/on_desk.h"

namespace {

using namespace tiko;

class QuietHost : public CueSink, public SettingsStore, public LocalClock, public ErrorSink {
 public:
  void Snd_Play(SoundId) override {}
  void Snd_Silence() override {}
  int ReadInteger(const std::string&, int fallback) override { return fallback; }
  bool ReadBool(const std::string& name, bool fallback) override {
    return name == "FullscreenMode" ? false : fallback;
  }
  void WriteInteger(const std::string&, int) override {}
  void WriteBool(const std::string&, bool) override {}
  TimeOfDay Now() override { return {10, 8, 0}; }
  void ShowError(const std::string& message) override {
    std::fprintf(stderr, "skin_preview: %s\n", message.c_str());
  }
};

// The window the skin loader lays out: windowed, or full screen on a 1920x1080 screen.
class PreviewWindow : public SkinWindow {
 public:
  explicit PreviewWindow(bool fullscreen) : fullscreen_(fullscreen) {}
  bool FullscreenOn() const override { return fullscreen_; }
  QSize ScreenSize() override { return {1920, 1080}; }
  void SetClientHeight(int height) override { client_.setHeight(height); }
  void SetClientWidth(int width) override { client_.setWidth(width); }
  QSize ClientSize() override { return client_; }
  void SetColor(std::uint32_t colorref) override {
    color_ = QColor(colorref & 0xff, (colorref >> 8) & 0xff, (colorref >> 16) & 0xff);
  }
  void SetColorKey(bool, std::uint32_t) override {}
  void ShowError(const std::string& message) override {
    std::fprintf(stderr, "skin_preview: %s\n", message.c_str());
    failed_ = true;
  }
  void RequestTerminate() override { failed_ = true; }

  QColor color() const { return color_; }
  bool failed() const { return failed_; }

 private:
  bool fullscreen_;
  QSize client_;
  QColor color_;
  bool failed_ = false;
};

// The scene as the main window paints it, at 100 %.
QImage Paint(const Unit& unit, const SkinPictures& pictures, const PreviewWindow& window,
             QSize size) {
  QImage out(size, QImage::Format_ARGB32_Premultiplied);
  QPainter painter(&out);
  PaintScene(painter, unit.scene(), pictures.picture,
             FrameLook{size, window.color(), pictures.backdrop_stretch, 1.0});
  return out;
}

// A game in full swing: Tiko rides an umbrella with the key, a coconut hangs,
// crows run the vines, one chain is open and one miss is on record.
void StageGame(Unit& unit) {
  Scene& s = UnitProbe(unit).scene();
  using namespace seg;
  s.Hide(tiko_seg[1][5]);
  UnitProbe(unit).vars().hero_col = 5;
  UnitProbe(unit).vars().hero_row = 2;
  s.Show(tiko_seg[5][2]);
  s.Hide(key_seg[1]);
  s.Show(coconut_seg[0]);
  for (auto [c, r] : {std::pair{4, 0}, {2, 1}, {5, 2}, {1, 3}, {3, 3}, {3, 4}, {2, 5}}) {
    s.Show(crow_seg[c][r]);
  }
  s.Show(umbrella_seg[2]);
  s.Show(umbrella_seg[4]);
  for (int k : {1, 3, 5}) s.Show(balloon_seg[k]);
  lcd::Vid_Show_Garu_Arm_Lock(s, unit.vars().garu_arm_pos, false);
  UnitProbe(unit).vars().garu_arm_pos = 2;
  lcd::Vid_Show_Garu_Arm_Lock(s, 2, true);
  s.Hide(garu_chain_seg[1]);
  UnitProbe(unit).vars().score = 127;
  lcd::Vid_Show_Panel_Score(s, 127, true);
  lcd::Vid_Show_Panel_Miss(s, 1);
}

bool Save(const QImage& image, const QString& dir, const QString& name) {
  if (image.save(QDir(dir).filePath(name), "PNG")) return true;
  std::fprintf(stderr, "skin_preview: cannot write %s\n", qPrintable(name));
  return false;
}

}  // namespace

int main(int argc, char** argv) {
  QGuiApplication app(argc, argv);
  QString bin = "build/bin", out = ".";
  bool desk = false;
  const QStringList args = app.arguments();
  for (int i = 1; i < args.size(); ++i) {
    if (args[i] == "--bin" && i + 1 < args.size())
      bin = args[++i];
    else if (args[i] == "--out" && i + 1 < args.size())
      out = args[++i];
    else if (args[i] == "--desk")
      desk = true;
  }
  QDir().mkpath(out);

  QuietHost host;
  Unit unit(UnitPorts{&host, &host, &host, &host});
  SkinPictures pictures;
  PreviewWindow windowed(false);
  try {
    Gfx_Load_Skin(UnitProbe(unit).scene(), pictures, windowed, bin.toStdString());
  } catch (const UnitError& e) {
    windowed.ShowError(e.what());
  }
  if (windowed.failed()) return 1;
  unit.CreateFinish();

  const QSize size = windowed.ClientSize();
  const QColor key = windowed.color();
  bool ok = true;
  auto shot = [&](const QString& name) {
    const QImage window = Paint(unit, pictures, windowed, size);
    ok &= Save(desk ? skin_preview::OnDesk(window, key, 28) : window, out, name);
  };

  shot("closed.png");
  unit.Press(Control::kOpen);
  shot("all-segments.png");
  unit.Press(Control::kTime);
  unit.Release(Control::kTime);
  unit.RunUntil(unit.Now() + 10);
  shot("clock.png");
  unit.Press(Control::kGameA);
  shot("highscore.png");  // GAME A held: the LCD without its printed layer
  unit.Release(Control::kGameA);
  StageGame(unit);
  shot("game.png");
  // Buttons held down: the pressed pictures under their click areas, as the
  // hero buttons' presses show them.
  UnitProbe(unit).scene().SetPicture(btn_cross_down, btn_cross_down_left);
  UnitProbe(unit).scene().Show(btn_cross_down);
  UnitProbe(unit).scene().Show(btn_jump_down);
  unit.Press(Control::kTime);
  shot("pressed.png");
  UnitProbe(unit).scene().Hide(btn_cross_down);
  UnitProbe(unit).scene().Hide(btn_jump_down);
  unit.Release(Control::kTime);

  // The same moment in full screen: the skin laid out again as the window does
  // on switching, backdrop, logo and in-game menu button included.
  PreviewWindow fullscreen(true);
  try {
    Gfx_Load_Skin(UnitProbe(unit).scene(), pictures, fullscreen, bin.toStdString());
  } catch (const UnitError& e) {
    fullscreen.ShowError(e.what());
  }
  const QImage screen = Paint(unit, pictures, fullscreen, fullscreen.ClientSize());
  ok &= !fullscreen.failed() &&
        Save(desk ? screen.scaled(960, 540, Qt::KeepAspectRatio, Qt::SmoothTransformation) : screen,
             out, "fullscreen.png");
  return ok ? 0 : 1;
}
