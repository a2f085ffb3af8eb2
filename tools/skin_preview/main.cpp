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

#include "engine/segments.h"
#include "engine/unit.h"
#include "tools/skin_preview/compose.h"
#include "tools/skin_preview/skin_ini.h"

namespace {

using namespace tiko;
using skin_preview::Pictures;
using skin_preview::SkinIni;

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

QString PathIn(const QString& bin, QString relative) {
  relative.replace('\\', '/');
  return QDir(bin).filePath(relative);
}

QColor ColorRef(int colorref) {
  return QColor(colorref & 0xff, (colorref >> 8) & 0xff, (colorref >> 16) & 0xff);
}

// Places every skin image and loads its picture, as the skin loader does in windowed mode.
void ApplySkin(const SkinIni& ini, const QString& bin, Scene& scene, Pictures& pictures) {
  QString skin_dir = ini.Text("Common", "SkinDir", "Graphics\\Skin\\");
  for (int n = 1; n <= kSkinImageCount; ++n) {
    const QString section = QString("Image%1").arg(n);
    const auto id = static_cast<ImageId>(n);
    const QString file = ini.Text(section, "Filename");
    if (!file.isEmpty() && file != "nil") pictures[id].load(PathIn(bin, skin_dir + file));
    scene.SetBounds(id, ini.Integer(section, "Left", 0), ini.Integer(section, "Top", 0),
                    ini.Integer(section, "Width", 0), ini.Integer(section, "Height", 0));
  }
  for (ImageId id : {im_backdrop, im_backdrop_logo, btn_game_menu_background, btn_game_menu_top}) {
    scene.Hide(id);
  }
}

// A game in full swing: Tiko rides an umbrella with the key, a coconut hangs,
// crows run the vines, one chain is open and one miss is on record.
void StageGame(Unit& unit) {
  Scene& s = unit.scene;
  using namespace seg;
  s.Hide(tiko_seg[1][5]);
  unit.vars.hero_col = 5;
  unit.vars.hero_row = 2;
  s.Show(tiko_seg[5][2]);
  s.Hide(key_seg[1]);
  s.Show(coconut_seg[0]);
  for (auto [c, r] : {std::pair{4, 0}, {2, 1}, {5, 2}, {1, 3}, {3, 3}, {3, 4}, {2, 5}}) {
    s.Show(crow_seg[c][r]);
  }
  s.Show(umbrella_seg[2]);
  s.Show(umbrella_seg[4]);
  for (int k : {1, 3, 5}) s.Show(balloon_seg[k]);
  unit.Vid_Show_Garu_Arm_Lock(false);
  unit.vars.garu_arm_pos = 2;
  unit.Vid_Show_Garu_Arm_Lock(true);
  s.Hide(garu_chain_seg[1]);
  unit.vars.score = 127;
  unit.Vid_Show_Panel_Score(127, true);
  unit.Vid_Show_Panel_Miss(1);
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
  SkinIni ini;
  if (!ini.Load(QDir(bin).filePath("Config.ini"))) {
    std::fprintf(stderr, "skin_preview: no Config.ini in %s\n", qPrintable(bin));
    return 1;
  }
  QDir().mkpath(out);

  QuietHost host;
  Unit unit(UnitPorts{&host, &host, &host, &host});
  unit.CreateReadPresentation();
  Pictures pictures;
  ApplySkin(ini, bin, unit.scene, pictures);
  unit.CreateFinish();

  const QSize size(ini.Integer("Common", "GameWidth", 499),
                   ini.Integer("Common", "GameHeight", 771));
  const QColor key = ColorRef(ini.Integer("VideoMode", "TranspColor", 0x00ff00ff));
  bool ok = true;
  auto shot = [&](const QString& name) {
    const QImage windowed = skin_preview::Compose(unit.scene, pictures, size, key);
    ok &= Save(desk ? skin_preview::OnDesk(windowed, key, 28) : windowed, out, name);
  };

  shot("closed.png");
  unit.Inp_open_down();
  shot("all-segments.png");
  unit.Inp_time_down();
  unit.Inp_time_up();
  unit.RunUntil(unit.Now() + 10);
  shot("clock.png");
  unit.Inp_game_a_down();
  shot("highscore.png");  // GAME A held: the LCD without its printed layer
  unit.Inp_game_a_up();
  StageGame(unit);
  shot("game.png");
  // Buttons held down: the pressed pictures under their click areas, as the
  // hero buttons' presses show them.
  unit.scene.SetPicture(btn_cross_down, btn_cross_down_left);
  unit.scene.Show(btn_cross_down);
  unit.scene.Show(btn_jump_down);
  unit.Inp_time_down();
  shot("pressed.png");
  unit.scene.Hide(btn_cross_down);
  unit.scene.Hide(btn_jump_down);
  unit.Inp_time_up();

  // The same moment in fullscreen: backdrop centred, logo in its corner, unit in the middle.
  const QImage layer = skin_preview::Compose(unit.scene, pictures, size, Qt::transparent);
  QImage screen(1920, 1080, QImage::Format_ARGB32_Premultiplied);
  screen.fill(ColorRef(ini.Integer("Fullscreen", "BgColor", 0x000e47b4)));
  QPainter painter(&screen);
  const QString backdrop_dir = ini.Text("Fullscreen", "BackdropDir", "Graphics\\Backdrop\\");
  const QImage backdrop(PathIn(bin, backdrop_dir + ini.Text("Fullscreen", "BackdropFile")));
  const QImage logo(PathIn(bin, backdrop_dir + ini.Text("Fullscreen", "LogoFile")));
  painter.drawImage((screen.width() - backdrop.width()) / 2,
                    (screen.height() - backdrop.height()) / 2, backdrop);
  painter.drawImage(screen.width() - logo.width(), 0, logo);
  painter.drawImage((screen.width() - size.width()) / 2, (screen.height() - size.height()) / 2,
                    layer);
  painter.end();
  ok &= Save(desk ? screen.scaled(960, 540, Qt::KeepAspectRatio, Qt::SmoothTransformation) : screen,
             out, "fullscreen.png");
  return ok ? 0 : 1;
}
