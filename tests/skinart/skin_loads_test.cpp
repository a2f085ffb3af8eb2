// The program's own skin loader takes the default skin as the build leaves
// it: no error, no stand-in picture, the colour key and the fullscreen extras.
#include <gtest/gtest.h>

#include <filesystem>

#include "config/skin/skin_loader.h"
#include "engine/unit_probe.h"
#include "tests/support/fake_skin_window.h"

namespace {

using namespace tiko;

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
  test::FakeSkinWindow window;
  window.screen = QSize(1920, 1080);
  window.fullscreen = GetParam();
  ASSERT_NO_THROW(Gfx_Load_Skin(UnitProbe(unit).scene(), pictures, window, TIKO_TEST_BIN_DIR));
  EXPECT_TRUE(window.errors.empty());
  EXPECT_EQ(window.terminate_requests, 0);
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
    EXPECT_FALSE(window.color_key_on);
    EXPECT_TRUE(unit.scene().Visible(im_backdrop));
    EXPECT_TRUE(unit.scene().Visible(im_backdrop_logo));
    EXPECT_EQ(pictures.picture[im_backdrop].size(), QSize(1920, 1080));
    // The unit sits in the middle of the screen.
    EXPECT_EQ(unit.scene()[im_background_bottom].left, 6 + (1920 - 499) / 2);
  } else {
    EXPECT_EQ(window.client, QSize(499, 771));
    EXPECT_TRUE(window.color_key_on);
    EXPECT_EQ(window.color_key, 0x00ff00ffu);
  }
}

INSTANTIATE_TEST_SUITE_P(WindowedAndFullscreen, SkinLoads, ::testing::Bool());

}  // namespace
