// A small unit laid out the way the skin loader lays it out, with plain
// coloured pictures, and an in-memory settings store.
#pragma once

#include <QApplication>
#include <QColor>
#include <QImage>
#include <QPainter>
#include <array>
#include <map>
#include <string>

#include "display/main_window.h"
#include "engine/unit_probe.h"
#include "tests/support/memory_store.h"

namespace tiko::test {

inline constexpr std::uint32_t kTransp = 0x00ff00ff;  // magenta
inline constexpr std::uint32_t kBg = 0x00804020;      // 00BBGGRR
inline constexpr int kGameWidth = 200;
inline constexpr int kGameHeight = 300;

struct Placed {
  ImageId id;
  QRect rect;
  QColor colour;
};

// Overlapping on purpose, so the stacking order decides what shows.
inline const std::vector<Placed>& FakeLayout() {
  static const std::vector<Placed> layout = {
      {im_background_bottom, {0, 0, 200, 300}, QColor(128, 128, 128)},
      {im_background_back, {0, 0, 200, 150}, QColor(100, 100, 160)},
      {im_background_front, {0, 0, 200, 150}, QColor(200, 40, 40)},
      {im_background_screen_top, {20, 20, 160, 120}, QColor(30, 30, 30)},
      {im_game_background, {30, 30, 140, 100}, QColor(180, 200, 160)},
      {btn_open, {50, 50, 40, 40}, QColor(240, 200, 0)},
      {btn_game_a_top, {10, 170, 30, 20}, QColor(0, 0, 200)},
      {btn_game_a_down, {10, 170, 30, 20}, QColor(0, 0, 100)},
      {btn_game_b_top, {50, 170, 30, 20}, QColor(0, 0, 201)},
      {btn_time_top, {90, 170, 30, 20}, QColor(0, 0, 202)},
      {btn_acl_top, {130, 170, 30, 20}, QColor(0, 0, 203)},
      {btn_acl_down, {130, 170, 30, 20}, QColor(0, 0, 103)},
      {btn_alarm_top, {170, 170, 20, 20}, QColor(0, 0, 204)},
      {btn_jump_top, {150, 250, 40, 40}, QColor(0, 150, 0)},
      {btn_cross_top, {10, 230, 60, 60}, QColor(60, 60, 0)},
      {btn_ctrlr_overlay_up, {30, 230, 20, 20}, QColor(0, 200, 200)},
      {btn_ctrlr_overlay_left, {10, 250, 20, 20}, QColor(0, 201, 200)},
      {btn_ctrlr_overlay_right, {50, 250, 20, 20}, QColor(0, 202, 200)},
      {btn_ctrlr_overlay_down, {30, 270, 20, 20}, QColor(0, 203, 200)},
      {btn_cross_down_up, {30, 230, 20, 20}, QColor(255, 255, 255)},
      {im_tiko_1_5, {40, 100, 20, 20}, QColor(0, 0, 0)},
      {im_panel_digit_1, {100, 40, 10, 16}, QColor(10, 10, 10)},
      {im_panel_number_1, {0, 0, 10, 16}, QColor(1, 2, 3)},
  };
  return layout;
}

inline QImage Solid(QSize size, QColor colour) {
  QImage image(size, QImage::Format_ARGB32);
  image.fill(colour);
  return image;
}

// Lays the window out as the skin loader does for the window's presentation.
inline void FakeLoadSkin(Scene& scene, SkinPictures& pictures, SkinWindow& window,
                         const DataFolders&) {
  window.SetClientHeight(kGameHeight);
  window.SetClientWidth(kGameWidth);
  int offset_x = 0;
  int offset_y = 0;
  if (window.FullscreenOn()) {
    window.SetColor(kBg);
    window.SetColorKey(false, 0);
    const QSize screen = window.ScreenSize();
    offset_x = (screen.width() - window.ClientSize().width()) / 2;
    offset_y = (screen.height() - window.ClientSize().height()) / 2;
    window.SetClientWidth(screen.width());
    window.SetClientHeight(screen.height());
  } else {
    window.SetColor(kTransp);
    window.SetColorKey(true, kTransp);
    scene.Hide(im_backdrop);
    scene.Hide(im_backdrop_logo);
  }
  for (const Placed& p : FakeLayout()) {
    QImage picture = Solid(p.rect.size(), p.colour);
    if (p.id == im_background_bottom || p.id == im_background_front) {
      // A see-through corner gives the unit its outline.
      QPainter(&picture).fillRect(0, 0, 20, 20, QColor(255, 0, 255));
    }
    pictures.picture[p.id] = picture;
    scene.SetBounds(p.id, p.rect.left() + offset_x, p.rect.top() + offset_y, p.rect.width(),
                    p.rect.height());
  }
  scene.SetVisible(btn_game_menu_top, window.FullscreenOn());
  scene.SetVisible(btn_game_menu_background, window.FullscreenOn());
  scene.SetBounds(btn_game_menu_background, 0, 0, 36, 32);
}

// A main window over the fake skin, errors collected instead of shown.
// Binding n set to key choice `choice`, the others kept, as the key dialog accepts them.
inline void Rebind(Unit& unit, int n, int choice) {
  std::array<int, kBindingCount> choices{};
  for (int b = 1; b <= kBindingCount; ++b) choices[b - 1] = unit.key_bindings()[b].key_choice;
  choices[n - 1] = choice;
  unit.AcceptKeys(choices);
}

struct FormFixture {
  explicit FormFixture(bool fullscreen = false, SkinLoader loader = FakeLoadSkin,
                       std::filesystem::path data_dir = {}) {
    store.values["FullscreenMode"].assign(1, fullscreen ? '1' : '0');
    FormParts parts;
    parts.store = &store;
    parts.load_skin = std::move(loader);
    parts.data_dir = std::move(data_dir);
    parts.close_output = [this] { ++output_closes; };
    form = std::make_unique<TForm1>(std::move(parts));
    form->show_error_box = [this](const QString& m) { errors.push_back(m.toStdString()); };
    form->terminate = [this] { ++terminations; };
  }
  void Create() {
    form->FormCreate();
    form->CentreOnScreen();
    form->show();
  }

  MemoryStore store;
  std::unique_ptr<TForm1> form;
  std::vector<std::string> errors;
  int terminations = 0;
  int output_closes = 0;
};

}  // namespace tiko::test
