// Time to load a whole skin: Config.ini with 145 entries and 145 PNG files,
// made in a scratch folder with the sizes a real skin has (four full-size
// case pictures, the rest buttons and LCD segments).
#include <benchmark/benchmark.h>

#include <QImage>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "config/ini/ini_file.h"
#include "config/picture/picture.h"
#include "config/skin/skin_loader.h"
#include "engine/unit_probe.h"

namespace {

namespace fs = std::filesystem;

class HeadlessWindow : public tiko::SkinWindow {
 public:
  explicit HeadlessWindow(bool fullscreen) : fullscreen_(fullscreen) {}
  bool FullscreenOn() const override { return fullscreen_; }
  QSize ScreenSize() override { return {1920, 1080}; }
  void SetClientHeight(int height) override { client_.setHeight(height); }
  void SetClientWidth(int width) override { client_.setWidth(width); }
  QSize ClientSize() override { return client_; }
  void SetColor(std::uint32_t) override {}
  void SetColorKey(bool, std::uint32_t) override {}
  void ShowError(const std::string&) override {}
  void RequestTerminate() override {}

 private:
  QSize client_{500, 690};
  bool fullscreen_;
};

QImage Drawing(int width, int height, int seed) {
  QImage picture(width, height, QImage::Format_ARGB32);
  for (int y = 0; y < height; ++y) {
    auto* row = reinterpret_cast<QRgb*>(picture.scanLine(y));
    for (int x = 0; x < width; ++x) {
      bool inside = (x - width / 2) * (x - width / 2) + (y - height / 2) * (y - height / 2) <
                    width * height / 4;
      row[x] = inside ? qRgba((x * 3 + seed) % 256, (y * 5) % 256, seed % 256, 255) : 0;
    }
  }
  return picture;
}

// The scratch skin lives for the whole run and is the working directory.
class SyntheticSkin {
 public:
  SyntheticSkin() {
    std::string pattern = (fs::temp_directory_path() / "tiko-skin-bench-XXXXXX").string();
    root_ = mkdtemp(pattern.data());
    fs::current_path(root_);
    fs::create_directories("Graphics/Skin");
    std::ofstream ini("Config.ini");
    ini << "[Common]\nSkinDir=Graphics\\Skin\\\nGameWidth=499\nGameHeight=771\n";
    for (int n = 1; n <= tiko::kSkinImageCount; ++n) {
      bool full_size = n <= 4;
      int width = full_size ? 499 : 24 + n % 60;
      int height = full_size ? 771 : 20 + n % 45;
      std::string name = std::to_string(n) + ".png";
      Drawing(width, height, n).save(QString::fromStdString("Graphics/Skin/" + name), "png");
      ini << "[Image" << n << "]\nFilename=" << name << "\nLeft=" << n << "\nTop=" << n * 2
          << "\nWidth=" << width << "\nHeight=" << height << "\n";
    }
  }
  ~SyntheticSkin() {
    std::error_code ignored;
    fs::remove_all(root_, ignored);
  }
  const fs::path& root() const { return root_; }

 private:
  fs::path root_;
};

SyntheticSkin& Skin() {
  static SyntheticSkin skin;
  return skin;
}

void BM_LoadFullSkin(benchmark::State& state) {
  const fs::path exe_dir = Skin().root();
  tiko::Unit unit{tiko::UnitPorts{}};
  tiko::SkinPictures pictures;
  HeadlessWindow window(state.range(0) != 0);
  for (auto _ : state) {
    tiko::Gfx_Load_Skin(tiko::UnitProbe(unit).scene(), pictures, window, exe_dir);
    benchmark::DoNotOptimize(pictures.picture[tiko::im_background_bottom].bits());
  }
  state.SetItemsProcessed(state.iterations() * tiko::kSkinImageCount);
  state.SetLabel("145 PNG pictures");
}
BENCHMARK(BM_LoadFullSkin)->ArgName("fullscreen")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void BM_DecodeCasePicture(benchmark::State& state) {
  const fs::path file = Skin().root() / "Graphics/Skin/1.png";
  for (auto _ : state) benchmark::DoNotOptimize(tiko::LoadPicture(file).bits());
}
BENCHMARK(BM_DecodeCasePicture)->Unit(benchmark::kMicrosecond);

void BM_ReadConfig(benchmark::State& state) {
  const fs::path file = Skin().root() / "Config.ini";
  for (auto _ : state) benchmark::DoNotOptimize(tiko::IniFile::Load(file));
}
BENCHMARK(BM_ReadConfig)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
