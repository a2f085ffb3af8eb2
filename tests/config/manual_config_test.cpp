#include "config/skin/manual_config.h"

#include <gtest/gtest.h>

#include "tests/config/temp_dir.h"

namespace tiko {
namespace {

TEST(ManualConfig, ReadsTheManualKeysOrTheirDefaults) {
  test::WorkDir dir;
  ManualConfig defaults = ReadManualConfig(dir.path());
  EXPECT_EQ((std::array{defaults.width, defaults.height}), (std::array{545, 365}));
  EXPECT_EQ(ManualPagePath(defaults, 16), dir.path() / "Graphics/Manual/16.bmp");

  test::WriteFile(dir.path() / "Config.ini",
                  "[manual]\nmanualdir=Pages\nManualWidth=600\nManualHeight=0x190\n");
  ManualConfig read = ReadManualConfig(dir.path());
  EXPECT_EQ((std::array{read.width, read.height}), (std::array{600, 400}));
  EXPECT_EQ(ManualPagePath(read, 1), dir.path() / "Pages/1.bmp");

  test::WriteFile(dir.path() / "Config.ini", "[Manual]\nManualDir=/srv/pages\n");
  EXPECT_EQ(ManualPagePath(ReadManualConfig(dir.path()), 2),
            std::filesystem::path("/srv/pages/2.bmp"));
}

}  // namespace
}  // namespace tiko
