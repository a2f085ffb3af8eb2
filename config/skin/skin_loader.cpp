#include "config/skin/skin_loader.h"

#include <algorithm>
#include <array>
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
    ResolveEntries();
    const std::vector<std::filesystem::path> files = EntryFiles();
    if (pictures_.defer) Plan(files);
    if (!pending_) budget_.Prefetch(files);
    for (int n = 1; n <= kSkinImageCount; ++n) LoadEntry(n);
    if (std::string message = budget_.Message(); !message.empty()) window_.ShowError(message);
  }

  std::shared_ptr<PendingPictures> TakePendingPictures() { return std::move(pending_); }

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

  // Each entry's file is looked for once: the plan and the entries then agree
  // on which exist.
  void ResolveEntries() {
    for (int n = 1; n <= kSkinImageCount; ++n) {
      std::string name = ini_.ReadString("Image" + std::to_string(n), "Filename", "");
      if (!NamesFile(name)) continue;
      EntryFile& entry = entry_files_[n];
      entry.file = folders_.Resolve(skin_dir_, name);
      entry.named = true;
      entry.exists = FileExists(entry.file);
    }
  }

  // The picture files the entries load, in their order.
  std::vector<std::filesystem::path> EntryFiles() const {
    std::vector<std::filesystem::path> files;
    for (const EntryFile& entry : entry_files_) {
      if (entry.exists) files.push_back(entry.file);
    }
    return files;
  }

  // Every entry's picture left for later, when each one's limits can be told
  // from its header; the state the run found is kept to put back.
  void Plan(const std::vector<std::filesystem::path>& files) {
    PictureBudget planned = budget_;
    auto pending = std::make_shared<PendingPictures>();
    for (const std::filesystem::path& file : files) {
      std::optional<PictureLimits> limits = planned.Plan(file);
      if (!limits) return;
      pending->entries.push_back({ImageId{}, file, *limits, true});
    }
    pending->budget_bytes = budget_.Total();
    auto keep = [&](ImageId id) {
      pending->before[id] = {pictures_.picture[id], pictures_.file[id], pictures_.variants[id].at2x,
                             pictures_.variants[id].at3x, scene_[id]};
    };
    for (int n = 1; n <= kSkinImageCount; ++n) keep(SkinImage(n));
    keep(btn_game_menu_top);
    keep(btn_game_menu_background);
    pending_ = std::move(pending);
  }

  void LoadEntry(int n) {
    const std::string section = "Image" + std::to_string(n);
    const ImageId id = SkinImage(n);
    if (entry_files_[n].named) {
      const std::filesystem::path& file = entry_files_[n].file;
      const bool exists = entry_files_[n].exists;
      if (exists && pending_ && next_pending_ < pending_->entries.size()) {
        pending_->entries[next_pending_++].id = id;
        pictures_.picture[id] = QImage();
      } else {
        pictures_.picture[id] = exists ? Picture(file) : PlaceholderPicture();
      }
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
  std::shared_ptr<PendingPictures> pending_;
  std::size_t next_pending_ = 0;
  struct EntryFile {
    std::filesystem::path file;
    bool named = false;  // the entry names a file
    bool exists = false;
  };
  std::array<EntryFile, kSkinImageCount + 1> entry_files_;  // by entry number
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
  pictures.pending.reset();  // what an earlier run left is the caller's to take first
  std::filesystem::path config = folders.ConfigIni();
  if (FileExists(config)) {
    // A file that exists but cannot be read gives the defaults, as absent keys
    // do; one too large to read is told.
    std::string problem;
    IniFile ini = IniFile::Load(config, &problem).value_or(IniFile());
    if (!problem.empty()) window.ShowError(problem);
    const DataFolders settled = folders.Settled();
    SkinRun run(scene, pictures, window, ini, settled);
    run.Run();
    pictures.pending = run.TakePendingPictures();
  } else {
    window.ShowError("Configuration file (Config.ini) not found. Please reinstall the game.");
    window.RequestTerminate();
  }
  ShowGameMenu(scene, window.FullscreenOn());
}

namespace {

// Ends the run at entry `at` as decoding in entry order would have; the message.
std::string EndRunAt(Scene& scene, SkinPictures& pictures, const PendingPictures& pending,
                     std::size_t at, const PendingPictures::Outcome& outcome) {
  const ImageId from = pending.entries[at].id;
  if (outcome.left_out) {
    for (std::size_t i = at; i < pending.entries.size(); ++i) {
      pictures.picture[pending.entries[i].id] = PlaceholderPicture();
    }
    return BudgetMessage(pending.budget_bytes, pending.entries[at].file);
  }
  auto put_back = [&](ImageId id) {
    const PendingPictures::Before& before = pending.before[id];
    pictures.picture[id] = before.picture;
    pictures.file[id] = before.file;
    pictures.variants[id] = PictureVariants{before.at2x, before.at3x};
    const Image& image = before.image;
    scene.SetBounds(id, image.left, image.top, image.width, image.height);
  };
  for (int n = from; n <= kSkinImageCount; ++n) put_back(SkinImage(n));
  for (ImageId id : {btn_game_menu_top, btn_game_menu_background}) {
    put_back(id);
    scene.SetVisible(id, pending.before[id].image.visible);
  }
  return outcome.error;
}

}  // namespace

std::string TakePending(Scene& scene, SkinPictures& pictures, ImageId id) {
  // Held here: ending the run lets go of the pictures' own reference.
  const std::shared_ptr<PendingPictures> pending = pictures.pending;
  if (!pending || !pending->Pending(id)) return {};
  std::optional<PendingPictures::Outcome> outcome = pending->Take(id);
  if (!outcome) return {};
  if (outcome->ok()) {
    pictures.picture[id] = std::move(outcome->picture);
    if (!pending->AnyPending()) pictures.pending.reset();
    return {};
  }
  std::size_t at = 0;
  while (pending->entries[at].id != id) ++at;
  for (std::size_t i = 0; i < at; ++i) {
    if (std::string message = TakePending(scene, pictures, pending->entries[i].id);
        !message.empty()) {
      return message;  // the run ended before this entry
    }
  }
  pending->Stop();
  if (pictures.pending == pending) pictures.pending.reset();
  return EndRunAt(scene, pictures, *pending, at, *outcome);
}

std::string TakeAllPending(Scene& scene, SkinPictures& pictures) {
  const std::shared_ptr<PendingPictures> pending = pictures.pending;
  if (!pending) return {};
  for (const PendingPictures::Entry& entry : pending->entries) {
    if (pictures.pending != pending) break;
    if (std::string message = TakePending(scene, pictures, entry.id); !message.empty()) {
      return message;
    }
  }
  return {};
}

}  // namespace tiko
