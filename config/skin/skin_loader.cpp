#include "config/skin/skin_loader.h"

#include <algorithm>
#include <climits>
#include <optional>
#include <string>
#include <vector>

#include "config/ini/config_path.h"
#include "config/ini/ini_file.h"
#include "config/ini/int_text.h"
#include "config/picture/picture.h"
#include "config/skin/picture_budget.h"

namespace tiko {

namespace {

// The skin table: entry n of the file configures image n.
constexpr ImageId SkinImage(int n) {
  return static_cast<ImageId>(n);
}
static_assert(SkinImage(kSkinImageCount) == btn_cross_down_right);

int Clamp(long long value) {
  return static_cast<int>(std::clamp<long long>(value, INT_MIN, INT_MAX));
}

// Places and sizes far beyond any screen are cut to a range in which every
// sum of them, scaled for the screen, stays within int: such an image shows
// nothing either way.
int Geometry(long long value) {
  constexpr long long kFar = 1 << 24;
  return static_cast<int>(std::clamp(value, -kFar, kFar));
}

// A name that asks for a picture: "nil" (exactly so) and the empty name ask for none.
bool NamesFile(const std::string& name) {
  return !name.empty() && name != "nil";
}

// Some offset other than 0, or the one that centres `unit` on `screen`.
int Offset(const std::string& text, int screen, int unit) {
  int value = ParseInteger(text).value_or(0);
  if (value != 0) return value;
  return Clamp((static_cast<long long>(screen) - unit) / 2);  // truncates toward zero
}

class SkinRun {
 public:
  SkinRun(Scene& scene, SkinPictures& pictures, SkinWindow& window, const IniFile& ini,
          const DataFolders& folders)
      : folders_(folders),
        scene_(scene),
        fullscreen_on_(window.FullscreenOn()),
        pictures_(pictures),
        window_(window),
        ini_(ini) {}

  void Run() {
    skin_dir_ = IncludeTrailingDelimiter(ini_.ReadString("Common", "SkinDir", "Graphics\\Skin\\"));
    window_.SetClientHeight(SizeKey("Common", "GameHeight", 771));
    window_.SetClientWidth(SizeKey("Common", "GameWidth", 499));
    FollowClientSize();
    if (fullscreen_on_) {
      LayOutFullscreen();
    } else {
      LayOutWindowed();
    }
    budget_.Prefetch(EntryFiles());
    for (int n = 1; n <= kSkinImageCount; ++n) LoadEntry(n);
    if (std::string message = budget_.Message(); !message.empty()) window_.ShowError(message);
  }

 private:
  // A window size no screen has, and no frame buffer can hold, is told and replaced.
  int SizeKey(const char* section, const char* key, int default_value) {
    constexpr int kMaxSide = 16384;
    const int value = ini_.ReadInteger(section, key, default_value);
    if (value >= 1 && value <= kMaxSide) return value;
    window_.ShowError(std::string("The ") + key + " of " + std::to_string(value) +
                      " in Config.ini is outside 1 to " + std::to_string(kMaxSide) +
                      "; the default " + std::to_string(default_value) + " is used instead.");
    return default_value;
  }

  // A picture within what the skin's pictures may take in all, else the placeholder.
  QImage Picture(const std::filesystem::path& file) {
    return budget_.Load(file).value_or(PlaceholderPicture());
  }

  // The backdrop and the logo only decorate: one that cannot be decoded is
  // told, and the unit is laid out all the same.
  bool Decoration(ImageId id, const std::filesystem::path& file) {
    try {
      pictures_.picture[id] = Picture(file);
    } catch (const UnitError& e) {
      window_.ShowError(e.what());
      return false;
    }
    pictures_.variants[id] = FindVariants(file);
    pictures_.file[id] = file;
    return true;
  }

  // The backdrop is anchored to all four edges of the window.
  void FollowClientSize() {
    QSize client = window_.ClientSize();
    scene_.SetBounds(im_backdrop, 0, 0, client.width(), client.height());
  }

  void LayOutFullscreen() {
    backdrop_dir_ = IncludeTrailingDelimiter(
        ini_.ReadString("Fullscreen", "BackdropDir", "Graphics\\Backdrop\\"));

    std::string backdrop = ini_.ReadString("Fullscreen", "BackdropFile", "nil");
    std::filesystem::path backdrop_file = folders_.Resolve(backdrop_dir_, backdrop);
    if (NamesFile(backdrop) && FileExists(backdrop_file) &&
        Decoration(im_backdrop, backdrop_file)) {
      pictures_.backdrop_stretch = ini_.ReadInteger("Fullscreen", "BackdropStretch", 0) != 0;
      scene_.Show(im_backdrop);
    }

    std::uint32_t color = ini_.ReadColor("Fullscreen", "BgColor", "$000e47b4");
    window_.SetColor(color);
    window_.SetColorKey(false, color);

    QSize screen = window_.ScreenSize();
    QSize client = window_.ClientSize();
    offset_x_ = Offset(ini_.ReadString("Fullscreen", "GameOffsetX", "Center"), screen.width(),
                       client.width());
    offset_y_ = Offset(ini_.ReadString("Fullscreen", "GameOffsetY", "Center"), screen.height(),
                       client.height());
    window_.SetClientWidth(screen.width());
    window_.SetClientHeight(screen.height());
    FollowClientSize();

    std::string logo = ini_.ReadString("Fullscreen", "LogoFile", "nil");
    std::filesystem::path logo_file = folders_.Resolve(backdrop_dir_, logo);
    if (NamesFile(logo) && FileExists(logo_file)) LoadLogo(logo_file);
  }

  void LoadLogo(const std::filesystem::path& file) {
    if (!Decoration(im_backdrop_logo, file)) return;
    const QImage& picture = pictures_.picture[im_backdrop_logo];
    const Image& logo = scene_[im_backdrop_logo];
    int left = logo.left, top = logo.top;  // other positions leave the logo where it is
    scene_.Show(im_backdrop_logo);
    QSize client = window_.ClientSize();
    int right = client.width() - picture.width();
    int bottom = client.height() - picture.height();
    switch (ini_.ReadInteger("Fullscreen", "LogoPosition", 1)) {
      case 0:
        left = 0, top = 0;
        break;
      case 1:
        left = right, top = 0;
        break;
      case 2:
        left = 0, top = bottom;
        break;
      case 3:
        left = right, top = bottom;
        break;
      default:
        break;
    }
    scene_.SetBounds(im_backdrop_logo, left, top, picture.width(), picture.height());
  }

  void LayOutWindowed() {
    offset_x_ = offset_y_ = 0;
    std::uint32_t color = ini_.ReadColor("VideoMode", "TranspColor", "$00ff00ff");
    window_.SetColor(color);
    window_.SetColorKey(true, color);
    scene_.Hide(im_backdrop);
    scene_.Hide(im_backdrop_logo);
  }

  // The picture files the entries load, in their order.
  std::vector<std::filesystem::path> EntryFiles() const {
    std::vector<std::filesystem::path> files;
    for (int n = 1; n <= kSkinImageCount; ++n) {
      std::string name = ini_.ReadString("Image" + std::to_string(n), "Filename", "");
      if (!NamesFile(name)) continue;
      std::filesystem::path file = folders_.Resolve(skin_dir_, name);
      if (FileExists(file)) files.push_back(std::move(file));
    }
    return files;
  }

  void LoadEntry(int n) {
    const std::string section = "Image" + std::to_string(n);
    const ImageId id = SkinImage(n);
    std::string name = ini_.ReadString(section, "Filename", "");
    if (NamesFile(name)) {
      std::filesystem::path file = folders_.Resolve(skin_dir_, name);
      const bool exists = FileExists(file);
      pictures_.picture[id] = exists ? Picture(file) : PlaceholderPicture();
      pictures_.variants[id] = exists ? FindVariants(file) : PictureVariants{};
      pictures_.file[id] = exists ? file : std::filesystem::path();
    }
    scene_.SetBounds(
        id, Geometry(static_cast<long long>(ini_.ReadInteger(section, "Left", 0)) + offset_x_),
        Geometry(static_cast<long long>(ini_.ReadInteger(section, "Top", 0)) + offset_y_),
        Geometry(ini_.ReadInteger(section, "Width", 0)),
        Geometry(ini_.ReadInteger(section, "Height", 0)));
  }

  const DataFolders& folders_;
  Scene& scene_;
  const bool fullscreen_on_;
  SkinPictures& pictures_;
  SkinWindow& window_;
  const IniFile& ini_;
  std::string skin_dir_;      // as written in the file
  std::string backdrop_dir_;  // as written in the file
  int offset_x_ = 0;
  int offset_y_ = 0;
  PictureBudget budget_;
};

// The in-game menu exists only in full screen; closed, its picture shows just the symbol.
void ShowGameMenu(Scene& scene, bool fullscreen_on) {
  scene.SetVisible(btn_game_menu_top, fullscreen_on);
  scene.SetVisible(btn_game_menu_background, fullscreen_on);
  const Image& menu = scene[btn_game_menu_background];
  scene.SetBounds(btn_game_menu_background, menu.left, menu.top, 36, 32);
}

}  // namespace

PictureVariants FindVariants(const std::filesystem::path& file) {
  auto variant = [&](const char* suffix) {
    std::filesystem::path named = file;
    named.replace_filename(file.stem().string() + suffix + file.extension().string());
    return FileExists(named) ? named : std::filesystem::path();
  };
  return PictureVariants{variant("@2x"), variant("@3x")};
}

void Gfx_Load_Skin(Scene& scene, SkinPictures& pictures, SkinWindow& window,
                   const DataFolders& folders) {
  std::filesystem::path config = folders.ConfigIni();
  if (FileExists(config)) {
    // A file that exists but cannot be read gives the defaults, as absent keys
    // do; one too large to read is told.
    std::string problem;
    IniFile ini = IniFile::Load(config, &problem).value_or(IniFile());
    if (!problem.empty()) window.ShowError(problem);
    SkinRun(scene, pictures, window, ini, folders).Run();
  } else {
    window.ShowError("Configuration file (Config.ini) not found. Please reinstall the game.");
    window.RequestTerminate();
  }
  ShowGameMenu(scene, window.FullscreenOn());
}

}  // namespace tiko
