// The skin loader: reads Config.ini and lays out the main window's images.
#pragma once

#include <QImage>
#include <QSize>
#include <array>
#include <cstdint>
#include <filesystem>
#include <string>

#include "config/ini/data_folders.h"
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

}  // namespace tiko
