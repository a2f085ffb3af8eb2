// One budget over every copy of a skin's pictures: the copies at the window's
// scale count with the pictures at 100 %, variants are judged by their
// headers, and a hostile skin at 400 % stays under 400 MB.
#include "config/skin/picture_budget.h"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QImage>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "config/picture/picture.h"
#include "display/picture_scaling.h"
#include "fake_skin.h"
#include "tests/config/large_png.h"
#include "tests/config/temp_dir.h"

namespace tiko {
namespace {

QImage Solid(int side, QColor colour) {
  QImage image(side, side, QImage::Format_ARGB32_Premultiplied);
  image.fill(colour);
  return image;
}

// 100 x 100 pictures take 40000 bytes each, 160000 at twice the size.
TEST(ScaledPictureBudget, CopiesPastTheBudgetArePlaceholdersFromTheFirstOn) {
  SkinPictures pictures;
  pictures.picture[im_background_bottom] = Solid(100, Qt::green);
  pictures.picture[im_background_back] = Solid(100, Qt::blue);
  pictures.picture[im_background_front] = Solid(10, Qt::blue);
  const std::int64_t budget = 100 * 100 * 4 * 2 + 10 * 10 * 4 + 160000 + 1000;
  ScaledPictures at2 = ScalePictures(pictures, 2.0, 1.0, budget);
  EXPECT_EQ(at2.table[im_background_bottom].size(), QSize(200, 200));
  EXPECT_EQ(at2.first_left_out, im_background_back);
  // From there on placeholders, however small the picture.
  for (ImageId id : {im_background_back, im_background_front}) {
    EXPECT_EQ(at2.table[id].size(), QSize(20, 20)) << ImageName(id);
    EXPECT_EQ(at2.table[id].pixel(10, 10), qRgb(255, 0, 0)) << ImageName(id);
  }
  EXPECT_TRUE(at2.table[im_background_screen_top].isNull());  // no picture stays none
  // At 100 % the pictures themselves are drawn: nothing is left out.
  EXPECT_EQ(ScalePictures(pictures, 1.0, 1.0, budget).first_left_out, kNoImage);
  EXPECT_EQ(ScalePictures(pictures, 2.0, 1.0, budget + 200000).first_left_out, kNoImage);
}

// A variant counts with the copy made from it, by the size its header
// declares: one that would not fit is never decoded.
TEST(ScaledPictureBudget, AVariantCountsBeforeItIsDecoded) {
  test::WorkDir dir;
  test::WritePicture("pic.png", 10, 10, qRgb(255, 0, 0));
  test::WritePicture("pic@2x.png", 20, 20, qRgb(0, 0, 255));
  SkinPictures pictures;
  pictures.picture[im_background_bottom] = Solid(10, Qt::red);
  pictures.variants[im_background_bottom] = FindVariants("pic.png");
  EXPECT_EQ(ScaleCost(pictures.picture[im_background_bottom],
                      pictures.variants[im_background_bottom], 2.0),
            2 * 20 * 20 * 4);
  const std::int64_t base = 10 * 10 * 4;
  ScaledPictures fits = ScalePictures(pictures, 2.0, 1.0, base + 2 * 1600);
  EXPECT_EQ(fits.table[im_background_bottom].pixel(5, 5), qRgb(0, 0, 255));
  ScaledPictures short_of_it = ScalePictures(pictures, 2.0, 1.0, base + 2 * 1600 - 1);
  EXPECT_EQ(short_of_it.first_left_out, im_background_bottom);
}

// 145 entries of a 4096 x 4096 picture, each with an @2x variant of 8192 x
// 8192, in a unit of 100 x 100 at 400 %: every copy at that scale would take
// 1 GB and its variant 256 MB. Run as a program of its own, whose peak
// resident memory is then the skin's.
constexpr const char* kHostileChild = "TIKO_HOSTILE_SKIN_DIR";

void RunHostileSkin(const char* data_dir) {
  test::FormFixture f(false, &Gfx_Load_Skin, data_dir);
  f.store.values["Zoom"] = "400";
  f.Create();
  ASSERT_DOUBLE_EQ(f.form->Scale(), 4.0);
  ASSERT_EQ(f.errors.size(), 2u);
  EXPECT_NE(f.errors[0].find("big.png\" on"), std::string::npos) << f.errors[0];
  EXPECT_NE(f.errors[1].find("At this size"), std::string::npos) << f.errors[1];
  std::int64_t kept = 0;
  for (const QImage& picture : f.form->pictures().picture) kept += picture.sizeInBytes();
  EXPECT_LE(kept, kSkinPictureBudget);
}

TEST(ScaledPictureBudget, AHostileSkinAt400PercentStaysUnderTheAim) {
  if (const char* data_dir = std::getenv(kHostileChild)) {
    RunHostileSkin(data_dir);
    return;
  }
  test::WorkDir dir;
  test::WriteLargePng("data/Graphics/Skin/big.png", 4096, 4096);
  test::WriteLargePng("data/Graphics/Skin/big@2x.png", 8192, 8192);
  std::string config = "[Common]\nGameWidth=100\nGameHeight=100\n";
  for (int n = 1; n <= kSkinImageCount; ++n) {
    config += "[Image" + std::to_string(n) + "]\nFilename=big.png\nWidth=100\nHeight=100\n";
  }
  test::WriteFile("data/Config.ini", config);
  const std::string data_dir = (dir.path() / "data").string();
  const pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    // A fresh program, not a copy of this one: its peak is its own.
    ::setenv(kHostileChild, data_dir.c_str(), 1);
    ::execl("/proc/self/exe", "tiko_display_tests",
            "--gtest_filter=ScaledPictureBudget.AHostileSkinAt400PercentStaysUnderTheAim",
            static_cast<char*>(nullptr));
    ::_exit(127);
  }
  int status = 0;
  ASSERT_EQ(::waitpid(child, &status, 0), child);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
  rusage usage{};
  ::getrusage(RUSAGE_CHILDREN, &usage);
#if !defined(__SANITIZE_ADDRESS__)
  // The sanitizers' own bookkeeping would count here.
  EXPECT_LT(usage.ru_maxrss, 400 * 1024) << "peak resident kB";
#endif
  std::printf("peak resident: %ld kB\n", usage.ru_maxrss);
}

}  // namespace
}  // namespace tiko
