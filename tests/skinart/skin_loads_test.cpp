// The program's own skin loader takes the default skin as the build leaves
// it: no error, no stand-in picture, the colour key and the fullscreen extras.
#include <gtest/gtest.h>

#include <filesystem>

#include "config/skin/skin_loader.h"
#include "engine/unit_probe.h"

namespace {

using namespace tiko;

class FakeWindow : public SkinWindow {
 public:
  bool FullscreenOn() const override { return fullscreen; }
  QSize ScreenSize() override { return {1920, 1080}; }
  void SetClientHeight(int height) override { client.setHeight(height); }
  void SetClientWidth(int width) override { client.setWidth(width); }
  QSize ClientSize() override { return client; }
  void SetColor(std::uint32_t colorref) override { color = colorref; }
  void SetColorKey(bool on, std::uint32_t colorref) override {
    key_on = on;
    key = colorref;
  }
  void ShowError(const std::string& message) override { errors += message; }
  void RequestTerminate() override { terminated = true; }

  QSize client;
  std::uint32_t color = 0, key = 0;
  bool key_on = false, terminated = false, fullscreen = true;
  std::string errors;
};

class SkinLoads : public ::testing::TestWithParam<bool> {
 protected:
  // Folders named in Config.ini are relative to the working directory.
  void SetUp() override {
    previous_ = std::filesystem::current_path();
    std::filesystem::current_path(TIKO_TEST_BIN_DIR);
  }
  void TearDown() override { std::filesystem::current_path(previous_); }
  std::filesystem::path previous_;
};

TEST_P(SkinLoads, EveryPictureLoadsInPlace) {
  Unit unit(UnitPorts{});
  SkinPictures pictures;
  FakeWindow window;
  window.fullscreen = GetParam();
  ASSERT_NO_THROW(Gfx_Load_Skin(UnitProbe(unit).scene(), pictures, window, TIKO_TEST_BIN_DIR));
  EXPECT_EQ(window.errors, "");
  EXPECT_FALSE(window.terminated);
  for (int n = 1; n <= kSkinImageCount; ++n) {
    const auto id = ImageId(n);
    const QImage& picture = pictures.picture[id];
    ASSERT_FALSE(picture.isNull()) << ImageName(id);
    EXPECT_NE(picture.size(), QSize(10, 10)) << ImageName(id) << " got the stand-in picture";
    EXPECT_EQ(picture.size(), QSize(unit.scene()[id].width, unit.scene()[id].height))
        << ImageName(id);
  }
  if (GetParam()) {
    EXPECT_EQ(window.client, QSize(1920, 1080));
    EXPECT_EQ(window.color, 0x00301a10u);
    EXPECT_FALSE(window.key_on);
    EXPECT_TRUE(unit.scene().Visible(im_backdrop));
    EXPECT_TRUE(unit.scene().Visible(im_backdrop_logo));
    EXPECT_EQ(pictures.picture[im_backdrop].size(), QSize(1920, 1080));
    // The unit sits in the middle of the screen.
    EXPECT_EQ(unit.scene()[im_background_bottom].left, 6 + (1920 - 499) / 2);
  } else {
    EXPECT_EQ(window.client, QSize(499, 771));
    EXPECT_TRUE(window.key_on);
    EXPECT_EQ(window.key, 0x00ff00ffu);
  }
}

INSTANTIATE_TEST_SUITE_P(WindowedAndFullscreen, SkinLoads, ::testing::Bool());

}  // namespace
