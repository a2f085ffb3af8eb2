// The skin loader: reads Config.ini and lays out the main window's images.
#pragma once

#include <QImage>
#include <QSize>
#include <array>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>

#include "config/ini/data_folders.h"
#include "config/skin/pending_pictures.h"
#include "engine/scene.h"
#include "engine/unit.h"

namespace tiko {

// The higher-resolution variants of a picture file: name@2x.ext and name@3x.ext
// beside name.ext. An empty path is a variant the skin does not have.
struct PictureVariants {
  std::filesystem::path at2x;
  std::filesystem::path at3x;
};

// The variants that exist beside `file`.
PictureVariants FindVariants(const std::filesystem::path& file);

// The pictures of the window's images, by ImageId. A null QImage is no picture.
// Pictures are at 100 %; their variants are decoded only when drawn at that scale.
struct SkinPictures {
  std::array<QImage, kImageEnd> picture;
  std::array<PictureVariants, kImageEnd> variants;
  std::array<std::filesystem::path, kImageEnd> file;  // empty: no file of the skin's
  bool backdrop_stretch = false;                      // otherwise the backdrop is centred
  // Asked of a run: lay the entries out and leave their pictures to `pending`
  // (null pictures meanwhile), when what decoding them gives can be told
  // from their headers; otherwise they are decoded during the run.
  bool defer = false;
  std::shared_ptr<PendingPictures> pending;  // what the last run left undecoded
};

// What the loader asks of the main window; a fake serves the tests.
class SkinWindow {
 public:
  virtual ~SkinWindow() = default;
  virtual bool FullscreenOn() const = 0;  // the presentation to lay out
  // The screen in the units of the skin's positions (pixels at 100 %). The
  // loader asks for it after setting the client size to the unit's size.
  virtual QSize ScreenSize() = 0;
  virtual void SetClientHeight(int height) = 0;
  virtual void SetClientWidth(int width) = 0;
  virtual QSize ClientSize() = 0;
  virtual void SetColor(std::uint32_t colorref) = 0;  // 00BBGGRR
  virtual void SetColorKey(bool on, std::uint32_t colorref) = 0;
  virtual void ShowError(const std::string& message) = 0;  // message box, caption "Error"
  virtual void RequestTerminate() = 0;                     // takes effect back in the event loop
};

// Reads the Config.ini of `folders`; the files it names resolve through them.
// Keeps im_backdrop covering the client area (the backdrop follows the
// window's size) and sizes the logo to its picture.
// Throws UnitError for a malformed colour or an undecodable picture; what was
// applied before stays.
void Gfx_Load_Skin(Scene& scene, SkinPictures& pictures, SkinWindow& window,
                   const DataFolders& folders);

// Takes the decoded picture of the pending entry of `id` into `pictures`,
// decoding it now if it is not yet. A failure counts once every entry before
// it has decoded; the first failing entry then ends the run as it would have
// there (an undecodable picture puts it and every later entry back as the
// run found them, the in-game menu too; one past the budget makes it and
// every later one a placeholder) and its message, for the player, is
// returned; "" otherwise.
std::string TakePending(Scene& scene, SkinPictures& pictures, ImageId id);
// Every pending entry, in entry order; the message of a failure, or "".
std::string TakeAllPending(Scene& scene, SkinPictures& pictures);

}  // namespace tiko
