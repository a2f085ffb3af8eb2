#include "config/skin/skin_loader.h"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <zlib.h>

#include <algorithm>
#include <array>
#include <fstream>
#include <map>
#include <vector>

#include "config/picture/picture.h"
#include "config/skin/picture_budget.h"
#include "engine/unit_probe.h"
#include "tests/config/large_png.h"
#include "tests/config/temp_dir.h"
#include "tests/support/fake_skin_window.h"

namespace tiko {
namespace {

using test::WorkDir;
using test::WriteFile;
using test::WriteLargePng;
using test::WritePicture;

using FakeWindow = test::FakeSkinWindow;

// A data folder beside a scratch working directory: the skin's relative
// folders must resolve against the former.
class SkinLoaderTest : public ::testing::Test {
 protected:
  void WriteConfig(const std::string& text) { WriteFile(Data("Config.ini"), text); }
  std::filesystem::path Data(const std::string& name) const { return dir_.path() / "data" / name; }
  void Load() { Gfx_Load_Skin(UnitProbe(unit_).scene(), pictures_, window_, dir_.path() / "data"); }
  std::string LoadError() {
    try {
      Load();
    } catch (const UnitError& e) {
      return e.what();
    }
    return "no error";
  }
  const Image& image(ImageId id) const { return unit_.scene()[id]; }
  const QImage& picture(ImageId id) const { return pictures_.picture[id]; }

  WorkDir dir_;
  Unit unit_{UnitPorts{}};
  SkinPictures pictures_;
  FakeWindow window_;
};

constexpr const char* kEntries =
    "[Image1]\nFilename=body.png\nLeft=3\nTop=4\nWidth=499\nHeight=771\n"
    "[image2]\nfilename=Lid\\Back.PNG\nleft=10\ntop=20\nwidth=30\nheight=40\n"
    "[Image3]\nFilename=missing.png\nLeft=1\nTop=2\nWidth=5\nHeight=6\n"
    "[Image4]\nFilename=NIL\n"
    "[Image5]\nFilename=nil\nWidth=7\n"
    "[Image145]\nFilename=pad.bmp\nLeft=100\nTop=200\nWidth=11\nHeight=12\n";

TEST_F(SkinLoaderTest, WindowedLayoutUsesTheSkinAsWritten) {
  WriteConfig(std::string("[Common]\nSkinDir=skin\nGameWidth=640\nGameHeight=480\n"
                          "[VideoMode]\nTranspColor=0x00123456\n"
                          "[Fullscreen]\nBgColor=not checked in windowed mode\n") +
              kEntries);
  WritePicture(Data("skin/body.png"), 4, 4);
  WritePicture(Data("skin/Lid/Back.PNG"), 2, 3);
  WritePicture(Data("skin/pad.bmp"), 6, 6);
  window_.fullscreen = false;
  Load();

  EXPECT_EQ(window_.client, QSize(640, 480));
  EXPECT_EQ(window_.color, 0x00123456u);
  EXPECT_TRUE(window_.color_key_on);
  EXPECT_EQ(window_.color_key, 0x00123456u);
  EXPECT_TRUE(window_.errors.empty());
  EXPECT_FALSE(image(im_backdrop).visible);
  EXPECT_FALSE(image(im_backdrop_logo).visible);
  EXPECT_FALSE(image(btn_game_menu_top).visible);
  EXPECT_FALSE(image(btn_game_menu_background).visible);

  EXPECT_EQ(picture(im_background_bottom).size(), QSize(4, 4));
  EXPECT_EQ(picture(im_background_back).size(), QSize(2, 3));
  EXPECT_EQ(picture(btn_cross_down_right).size(), QSize(6, 6));
  EXPECT_EQ(picture(im_background_front), PlaceholderPicture());
  EXPECT_EQ(picture(im_background_screen_top), PlaceholderPicture());  // "NIL" is a file name
  EXPECT_TRUE(picture(btn_open).isNull());                             // "nil" is no file
  EXPECT_TRUE(picture(btn_game_a_down).isNull());                      // no section

  const Image& bottom = image(im_background_bottom);
  EXPECT_EQ((std::array{bottom.left, bottom.top, bottom.width, bottom.height}),
            (std::array{3, 4, 499, 771}));
  const Image& back = image(im_background_back);
  EXPECT_EQ((std::array{back.left, back.top, back.width, back.height}),
            (std::array{10, 20, 30, 40}));
  EXPECT_EQ(image(btn_open).width, 7);
  EXPECT_EQ(image(btn_cross_down_right).top, 200);
}

TEST_F(SkinLoaderTest, FullscreenCentresOnZeroOrCenterAndTakesOtherOffsets) {
  struct Case {
    const char* offset_x;
    const char* offset_y;
    QSize screen;
    int want_x, want_y;
  };
  for (const Case& c :
       {Case{"0", "Center", {1280, 1024}, 390, 126}, Case{"Center", "0", {1280, 1024}, 390, 126},
        Case{"junk", "$0", {1280, 1024}, 390, 126}, Case{"-20", "15", {1280, 1024}, -20, 15},
        Case{"0", "0", {1024, 768}, -3, -2}}) {
    SCOPED_TRACE(std::string(c.offset_x) + " " + c.offset_y);
    WriteConfig(std::string("[Common]\nGameWidth=") + (c.screen.width() == 1024 ? "1031" : "500") +
                "\nGameHeight=772\n[Fullscreen]\nBgColor=$00010203\nGameOffsetX=" + c.offset_x +
                "\nGameOffsetY=" + c.offset_y +
                "\n[Image23]\nLeft=10\nTop=20\nWidth=5\nHeight=6\n");
    window_.screen = c.screen;
    Load();
    EXPECT_EQ(image(im_game_background).left, 10 + c.want_x);
    EXPECT_EQ(image(im_game_background).top, 20 + c.want_y);
    EXPECT_EQ(image(im_background_bottom).left, c.want_x);  // no section: 0 x 0 at the offset
    EXPECT_EQ(window_.client, c.screen);
    EXPECT_EQ(window_.color, 0x00010203u);
    EXPECT_FALSE(window_.color_key_on);
    EXPECT_TRUE(image(btn_game_menu_top).visible);
    EXPECT_TRUE(image(btn_game_menu_background).visible);
    EXPECT_EQ(image(btn_game_menu_background).width, 36);
    EXPECT_EQ(image(btn_game_menu_background).height, 32);
    EXPECT_EQ(image(im_backdrop).width, c.screen.width());  // follows the window
  }
}

TEST_F(SkinLoaderTest, WithoutEntrySectionsEveryImageIsEmptyAtTheOffset) {
  WriteConfig("[Common]\nGameWidth=500\nGameHeight=700\n");
  window_.screen = QSize(800, 600);
  Load();
  for (int n = 1; n <= kSkinImageCount; ++n) {
    const Image& entry = image(static_cast<ImageId>(n));
    EXPECT_EQ((std::array{entry.left, entry.top, entry.width, entry.height}),
              (std::array{150, -50, 0, 0}))
        << n;
    EXPECT_TRUE(picture(static_cast<ImageId>(n)).isNull()) << n;
  }
  EXPECT_EQ(window_.color, 0x000e47b4u);  // the default BgColor
  EXPECT_TRUE(window_.errors.empty());
}

TEST_F(SkinLoaderTest, BackdropAndLogoComeFromTheBackdropFolder) {
  WritePicture(Data("Graphics/Backdrop/back.jpg"), 40, 30);
  WritePicture(Data("Graphics/Backdrop/logo.png"), 50, 20);
  window_.screen = QSize(800, 600);
  struct Case {
    int position;
    int left, top;
  };
  for (const Case& c : {Case{7, 0, 0}, Case{1, 750, 0}, Case{7, 750, 0}, Case{0, 0, 0},
                        Case{2, 0, 580}, Case{3, 750, 580}}) {
    SCOPED_TRACE(c.position);
    WriteConfig(
        "[Fullscreen]\nBackdropFile=back.jpg\nBackdropStretch=1\nLogoFile=logo.png\n"
        "LogoPosition=" +
        std::to_string(c.position) + "\n");
    Load();
    EXPECT_EQ(picture(im_backdrop).size(), QSize(40, 30));
    EXPECT_TRUE(pictures_.backdrop_stretch);
    EXPECT_TRUE(image(im_backdrop).visible);
    const Image& logo = image(im_backdrop_logo);
    EXPECT_TRUE(logo.visible);
    EXPECT_EQ((std::array{logo.left, logo.top, logo.width, logo.height}),
              (std::array{c.left, c.top, 50, 20}));
  }

  // Windowed hides both but keeps their pictures.
  window_.fullscreen = false;
  Load();
  EXPECT_FALSE(image(im_backdrop).visible);
  EXPECT_FALSE(image(im_backdrop_logo).visible);
  EXPECT_EQ(picture(im_backdrop_logo).size(), QSize(50, 20));

  // Names that are absent, "nil" or empty change nothing.
  window_.fullscreen = true;
  WriteConfig("[Fullscreen]\nBackdropFile=gone.png\nLogoFile=\n");
  Load();
  EXPECT_FALSE(image(im_backdrop).visible);
  EXPECT_FALSE(image(im_backdrop_logo).visible);
  EXPECT_EQ(picture(im_backdrop).size(), QSize(40, 30));
}

// A player's skin in their own folder: its Config.ini and one picture of its
// own; every other picture, and the backdrop, come from the installed data.
TEST_F(SkinLoaderTest, APlayersSkinTakesWhatItLacksFromTheInstalledData) {
  WriteConfig(std::string("[Common]\nSkinDir=Graphics\\Skin\\\n") + kEntries +
              "[Fullscreen]\nBackdropFile=back.png\n");
  WritePicture(Data("Graphics/Skin/body.png"), 4, 4);
  WritePicture(Data("Graphics/Skin/pad.bmp"), 6, 6);
  WritePicture(Data("Graphics/Backdrop/back.png"), 8, 8);
  const std::filesystem::path user = dir_.path() / "user";
  std::filesystem::create_directories(user);
  std::filesystem::copy_file(Data("Config.ini"), user / "Config.ini");
  WritePicture(user / "Graphics/Skin/body.png", 9, 9, qRgb(200, 0, 200));
  const DataFolders folders(user, dir_.path() / "bin", dir_.path() / "data");

  Gfx_Load_Skin(UnitProbe(unit_).scene(), pictures_, window_, folders);
  EXPECT_TRUE(window_.errors.empty());
  EXPECT_EQ(picture(im_background_bottom).size(), QSize(9, 9));  // the player's
  EXPECT_EQ(picture(im_background_bottom).pixel(0, 0), qRgb(200, 0, 200));
  EXPECT_EQ(picture(btn_cross_down_right).size(), QSize(6, 6));  // installed
  EXPECT_EQ(picture(im_backdrop).size(), QSize(8, 8));
  EXPECT_EQ(picture(im_background_front), PlaceholderPicture());  // nowhere

  // The player's Config.ini rules: an entry it empties keeps no installed picture.
  WriteFile(user / "Config.ini", "[Image1]\nFilename=body.png\n[Image145]\nFilename=other.bmp\n");
  SkinPictures fresh;
  Gfx_Load_Skin(UnitProbe(unit_).scene(), fresh, window_, folders);
  EXPECT_EQ(fresh.picture[btn_cross_down_right], PlaceholderPicture());
  EXPECT_TRUE(fresh.picture[im_background_back].isNull());
}

TEST_F(SkinLoaderTest, MissingConfigIsReportedAndTheMenuStepStillRuns) {
  UnitProbe(unit_).scene().Hide(btn_game_menu_top);
  Load();
  EXPECT_EQ(window_.errors,
            std::vector<std::string>{
                "Configuration file (Config.ini) not found. Please reinstall the game."});
  EXPECT_EQ(window_.terminate_requests, 1);
  EXPECT_EQ(window_.client, QSize(500, 690));  // not laid out
  EXPECT_TRUE(image(btn_game_menu_top).visible);
  EXPECT_EQ(image(btn_game_menu_background).width, 36);
  EXPECT_EQ(image(btn_game_menu_background).height, 32);

  // Config.ini is looked for in the data folder, not in the working directory.
  WriteFile("Config.ini", "[Common]\nGameWidth=100\n");
  Load();
  EXPECT_EQ(window_.terminate_requests, 2);
}

TEST_F(SkinLoaderTest, UndecodablePictureEndsTheRunAtItsEntry) {
  for (const char* damaged : {"bad.png", "bad.jpg", "bad.gif"}) {
    SCOPED_TRACE(damaged);
    unit_ = Unit(UnitPorts{});
    pictures_ = SkinPictures{};
    WritePicture(Data("Graphics/Skin/ok.png"), 3, 3);
    WriteFile(Data(std::string("Graphics/Skin/") + damaged), "\x89PNG\r\n\x1a\n damaged");
    WriteConfig(std::string("[Image1]\nFilename=ok.png\nWidth=3\n"
                            "[Image2]\nFilename=ok.png\nWidth=4\n"
                            "[Image3]\nFilename=") +
                damaged +
                "\nWidth=5\n"
                "[Image4]\nFilename=ok.png\nWidth=6\n");
    std::string message = LoadError();
    if (std::string(damaged) == "bad.gif") {
      EXPECT_EQ(message, "Unknown picture file extension (.gif)");
    } else {
      EXPECT_NE(message.find(damaged), std::string::npos) << message;
    }
    EXPECT_EQ(picture(im_background_back).size(), QSize(3, 3));
    EXPECT_EQ(image(im_background_back).width, 4);
    EXPECT_TRUE(picture(im_background_front).isNull());
    EXPECT_EQ(image(im_background_front).width, 0);
    EXPECT_TRUE(picture(im_background_screen_top).isNull());
    EXPECT_EQ(image(im_background_screen_top).width, 0);
  }
}

// A run that leaves its pictures for later, taken in another order than the
// entries', ends as a run decoding each in entry order: the same pictures,
// places and messages, a late undecodable picture putting it and every later
// entry (and the in-game menu) back as they were.
TEST_F(SkinLoaderTest, PicturesLeftForLaterEndAsARunDecodingThemInOrder) {
  WritePicture(Data("Graphics/Skin/old.png"), 2, 2, qRgb(1, 2, 3));
  for (int n = 1; n <= 6; ++n) {
    WritePicture(Data("Graphics/Skin/p" + std::to_string(n) + ".png"), n, 7, qRgb(n, 9, 9));
  }
  WriteFile(Data("Graphics/Skin/broken.png"), "\x89PNG\r\n\x1a\n broken");
  WriteFile(Data("Graphics/Skin/x.gif"), "GIF89a");
  // A header that tells a size, and nothing after it.
  static constexpr char kCut[] = "\x89PNG\r\n\x1a\n\0\0\0\rIHDR\0\0\0\x05\0\0\0\x05";
  WriteFile(Data("Graphics/Skin/cut.png"), std::string(kCut, sizeof kCut - 1));
  const std::string old_skin =
      "[Image1]\nFilename=old.png\nWidth=1\n[Image3]\nFilename=old.png\nLeft=5\n"
      "[Image5]\nFilename=old.png\nTop=6\n";
  auto entry = [](int n, const std::string& name) {
    return "[Image" + std::to_string(n) + "]\nFilename=" + name +
           "\nLeft=" + std::to_string(10 * n) + "\nTop=3\nWidth=9\nHeight=8\n";
  };
  struct Run {
    bool left_for_later = false;
    std::vector<std::string> messages;
    std::vector<QImage> pictures;
    std::vector<std::string> places;
  };
  // The skin's run, its pictures taken in `order` (image numbers), then the rest.
  auto run = [&](const std::string& skin, bool defer, const std::vector<int>& order) {
    unit_ = Unit(UnitPorts{});
    pictures_ = SkinPictures{};
    window_ = FakeWindow{};
    WriteConfig(old_skin);
    Load();
    WriteConfig(skin);
    pictures_.defer = defer;
    Run out;
    try {
      Load();
    } catch (const UnitError& e) {
      window_.errors.push_back(e.what());
    }
    out.left_for_later = pictures_.pending != nullptr;
    Scene& scene = UnitProbe(unit_).scene();
    for (int id : order) {
      std::string message = TakePending(scene, pictures_, static_cast<ImageId>(id));
      if (!message.empty()) window_.errors.push_back(message);
    }
    std::string message = TakeAllPending(scene, pictures_);
    if (!message.empty()) window_.errors.push_back(message);
    EXPECT_EQ(pictures_.pending, nullptr);
    out.messages = window_.errors;
    for (int id = 1; id < kImageEnd; ++id) {
      const Image& image = unit_.scene()[static_cast<ImageId>(id)];
      out.pictures.push_back(pictures_.picture[id]);
      out.places.push_back(std::to_string(image.left) + "," + std::to_string(image.top) + " " +
                           std::to_string(image.width) + "x" + std::to_string(image.height) +
                           (image.visible ? " shown" : ""));
    }
    return out;
  };
  auto skin_of = [&](std::map<int, std::string> names) {
    std::string skin;
    for (int n = 1; n <= 6; ++n) {
      std::string name = "gone.png";
      if (names.count(n)) {
        name = names[n];
      } else if (n != 3) {
        name = "p";
        name += std::to_string(n);
        name += ".png";
      }
      skin += entry(n, name);
    }
    return skin;
  };
  // A picture whose header cannot be read, or of a format not known, is
  // decoded during the run: what it gives cannot be told before.
  for (const auto& [skin, left_for_later] : {std::pair{skin_of({}), true},
                                             {skin_of({{4, "cut.png"}}), true},
                                             {skin_of({{2, "cut.png"}, {5, "cut.png"}}), true},
                                             {skin_of({{5, "broken.png"}}), false},
                                             {skin_of({{5, "x.gif"}}), false}}) {
    for (const std::vector<int>& order : {std::vector<int>{}, {5, 1}, {6, 4, 2}}) {
      SCOPED_TRACE(skin);
      const Run all_at_once = run(skin, false, {});
      const Run later = run(skin, true, order);
      EXPECT_EQ(later.left_for_later, left_for_later);
      EXPECT_EQ(later.messages, all_at_once.messages);
      EXPECT_EQ(later.places, all_at_once.places);
      for (int id = 1; id < kImageEnd; ++id) {
        EXPECT_EQ(later.pictures[id - 1], all_at_once.pictures[id - 1]) << "image " << id;
      }
    }
  }
}

// A thread held after the first frame's pictures decodes no more until let
// go; a picture taken meanwhile is decoded at once, and ending the skin's
// pictures with the thread still held does not wait for it.
TEST_F(SkinLoaderTest, AHeldPictureThreadWaitsAndTakingDoesNot) {
  auto Entry = [](int n) { return static_cast<ImageId>(n); };  // entry n is image n
  std::string skin;
  for (int n = 1; n <= 6; ++n) {
    const std::string name = "p" + std::to_string(n) + ".png";
    WritePicture(Data("Graphics/Skin/" + name), n, 7, qRgb(n, 9, 9));
    skin += "[Image" + std::to_string(n) + "]\nFilename=" + name + "\n";
  }
  WriteConfig(skin);
  auto decoded = [&](ImageId id) {
    const std::vector<ImageId> ready = pictures_.pending->Ready();
    return std::find(ready.begin(), ready.end(), id) != ready.end();
  };
  auto eventually = [](auto done) {
    for (int i = 0; i < 2000 && !done(); ++i) usleep(5000);
    return done();
  };
  for (bool released : {true, false}) {
    SCOPED_TRACE(released ? "let go" : "ended while held");
    pictures_ = SkinPictures{};
    pictures_.defer = true;
    Load();
    ASSERT_NE(pictures_.pending, nullptr);
    pictures_.pending->Start({Entry(3), Entry(1)}, {}, 1);
    ASSERT_TRUE(eventually([&] { return decoded(Entry(3)); }));
    Scene& scene = UnitProbe(unit_).scene();
    EXPECT_EQ(TakePending(scene, pictures_, Entry(5)), "");
    EXPECT_EQ(picture(Entry(5)).size(), QSize(5, 7));
    usleep(50000);
    EXPECT_EQ(pictures_.pending->Ready(), std::vector<ImageId>{Entry(3)});
    if (!released) continue;  // the next Load ends them
    pictures_.pending->Release();
    ASSERT_TRUE(eventually([&] { return pictures_.pending->Ready().size() == 5; }));
    EXPECT_EQ(TakeAllPending(scene, pictures_), "");
    for (int n = 1; n <= 6; ++n) EXPECT_EQ(picture(Entry(n)).size(), QSize(n, 7));
  }
  pictures_.pending.reset();
}

TEST_F(SkinLoaderTest, SecondRunKeepsPicturesOfEmptiedNamesAndReplacesGoneFiles) {
  WritePicture(Data("Graphics/Skin/a.png"), 8, 8);
  WritePicture(Data("Graphics/Skin/b.png"), 9, 9);
  WriteConfig("[Image1]\nFilename=a.png\nWidth=8\n[Image2]\nFilename=b.png\n");
  Load();
  WriteConfig("[Image1]\nFilename=\nWidth=2\n[Image2]\nFilename=b.png\n");
  std::filesystem::remove(Data("Graphics/Skin/b.png"));
  Load();
  EXPECT_EQ(picture(im_background_bottom).size(), QSize(8, 8));
  EXPECT_EQ(image(im_background_bottom).width, 2);
  EXPECT_EQ(picture(im_background_back), PlaceholderPicture());
}

TEST_F(SkinLoaderTest, MalformedColourEndsTheRunAndKeepsWhatWasApplied) {
  WriteConfig("[Common]\nGameWidth=321\n[Fullscreen]\nBgColor=#0e47b4\n[Image1]\nWidth=9\n");
  EXPECT_EQ(LoadError(), "'#0e47b4' is not a valid integer value");
  EXPECT_EQ(window_.client.width(), 321);
  EXPECT_EQ(image(im_background_bottom).width, 0);
  EXPECT_TRUE(image(btn_game_menu_top).visible);  // untouched since creation

  window_.fullscreen = false;
  WriteConfig("[VideoMode]\nTranspColor=magenta\n");
  EXPECT_EQ(LoadError(), "'magenta' is not a valid integer value");
}

TEST_F(SkinLoaderTest, TogglingTwiceReturnsToTheSameLayout) {
  WritePicture(Data("Graphics/Skin/a.png"), 8, 8);
  WriteConfig("[Common]\nGameWidth=400\nGameHeight=300\n[Image1]\nFilename=a.png\nLeft=5\n");
  window_.fullscreen = false;
  Load();
  Scene before = unit_.scene();
  QSize client = window_.client;
  for (bool fullscreen : {true, false}) {
    window_.fullscreen = fullscreen;
    Load();
  }
  EXPECT_EQ(window_.client, client);
  for (int id = 1; id < kImageEnd; ++id) {
    const Image &a = before[static_cast<ImageId>(id)], &b = unit_.scene()[static_cast<ImageId>(id)];
    EXPECT_EQ((std::array{a.left, a.top, a.width, a.height, int(a.visible)}),
              (std::array{b.left, b.top, b.width, b.height, int(b.visible)}))
        << id;
  }
}

}  // namespace
}  // namespace tiko

namespace tiko {
namespace {

TEST_F(SkinLoaderTest, WindowSizesOutsideTheRangeAreToldAndReplaced) {
  window_.fullscreen = false;
  WriteConfig("[Common]\nGameWidth=100000\nGameHeight=0\n");
  Load();
  EXPECT_EQ(window_.client, QSize(499, 771));
  ASSERT_EQ(window_.errors.size(), 2u);
  EXPECT_EQ(window_.errors[0],
            "The GameHeight of 0 in Config.ini is outside 1 to 16384; the default 771 is used "
            "instead.");
  EXPECT_NE(window_.errors[1].find("GameWidth of 100000"), std::string::npos);
}

TEST_F(SkinLoaderTest, PlacesAndSizesFarBeyondAnyScreenAreCutToARange) {
  window_.fullscreen = true;
  WriteConfig(
      "[Fullscreen]\nGameOffsetX=2147483647\nGameOffsetY=-2147483648\n"
      "[Image1]\nLeft=2147483647\nTop=-2147483648\nWidth=2147483647\nHeight=-2147483648\n");
  Load();
  const Image& far = image(im_background_bottom);
  EXPECT_EQ((std::array{far.left, far.top, far.width, far.height}),
            (std::array{1 << 24, -(1 << 24), 1 << 24, -(1 << 24)}));
}

TEST_F(SkinLoaderTest, UndecodableBackdropLeavesTheUnitLaidOut) {
  WriteFile(Data("Graphics/Backdrop/back.png"), "");
  WritePicture(Data("Graphics/Skin/body.png"), 4, 4);
  WriteConfig("[Fullscreen]\nBackdropFile=back.png\n[Image1]\nFilename=body.png\nWidth=4\n");
  Load();
  ASSERT_EQ(window_.errors.size(), 1u);
  EXPECT_NE(window_.errors[0].find("back.png\": the file is empty"), std::string::npos);
  EXPECT_EQ(window_.client, window_.screen);
  EXPECT_EQ(picture(im_background_bottom).size(), QSize(4, 4));
}

// Twelve pictures of 250 MB each: the first takes nearly the whole budget
// (what is left cannot hold its file too), the rest get the placeholder, and
// one message names the first left out. Loaded in a child process, whose
// peak memory is then its own.
TEST_F(SkinLoaderTest, OversizedSkinStaysWithinItsPictureBudget) {
  WriteLargePng(Data("Graphics/Skin/big1.png"), 8192, 8000);
  std::string entries;
  for (int n = 1; n <= 12; ++n) {
    std::string name = "big" + std::to_string(n) + ".png";
    if (n > 1)
      std::filesystem::copy_file(Data("Graphics/Skin/big1.png"), Data("Graphics/Skin/" + name));
    entries += "[Image" + std::to_string(n) + "]\nFilename=" + name + "\nWidth=10\nHeight=10\n";
  }
  WriteConfig(entries);
  window_.fullscreen = false;
  int report[2];
  ASSERT_EQ(::pipe(report), 0);
  const pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    Load();
    const bool placeholders = picture(static_cast<ImageId>(12)) == PlaceholderPicture();
    const bool first_kept = picture(static_cast<ImageId>(1)).size() == QSize(8192, 8000);
    const bool told =
        window_.errors.size() == 1 && window_.errors[0].find("big2.png\" on") != std::string::npos;
    const char result = placeholders && first_kept && told ? 'y' : 'n';
    ::_exit(::write(report[1], &result, 1) == 1 ? 0 : 1);
  }
  ::close(report[1]);
  char result = 0;
  EXPECT_EQ(::read(report[0], &result, 1), 1);
  ::close(report[0]);
  int status = 0;
  ASSERT_EQ(::waitpid(child, &status, 0), child);
  EXPECT_EQ(result, 'y');
  rusage usage{};
  ::getrusage(RUSAGE_CHILDREN, &usage);
  EXPECT_LT(usage.ru_maxrss, 400 * 1024) << "peak resident kB";
}

}  // namespace
}  // namespace tiko

namespace tiko {
namespace {

// Pictures decoded ahead on other cores come out as the Loads alone give
// them: the same pictures, the same first one left out past the budget, and
// the same error where a file cannot be decoded.
TEST(PictureBudgetAhead, PrefetchedLoadsGiveWhatLoadsAloneGive) {
  test::WorkDir dir;
  std::vector<std::filesystem::path> files;
  for (int n = 0; n < 6; ++n) {
    std::string name = "p";
    name += std::to_string(n);
    files.push_back(dir.path() / (name + ".png"));
    WritePicture(files.back(), 10 + n, 10);
  }
  files.push_back(dir.path() / "broken.png");
  std::ofstream(files.back()) << "not a picture";
  WritePicture(dir.path() / "last.png", 3, 3);
  files.push_back(dir.path() / "last.png");

  // 10x10 .. 13x10 fit in 2000 bytes; 14x10 does not.
  auto run = [&](bool ahead, std::vector<std::string>& out) {
    PictureBudget budget(2000);
    if (ahead) budget.Prefetch(files);
    for (const auto& file : files) {
      try {
        std::optional<QImage> picture = budget.Load(file);
        if (!picture) {
          out.push_back("left out");
          continue;
        }
        std::string size = std::to_string(picture->width());
        size += 'x';
        size += std::to_string(picture->format());
        out.push_back(size);
      } catch (const UnitError& e) {
        out.push_back(e.what());
      }
    }
    out.push_back(budget.Message());
  };
  std::vector<std::string> alone, ahead;
  run(false, alone);
  run(true, ahead);
  EXPECT_EQ(ahead, alone);
  EXPECT_EQ(alone[3], "13x" + std::to_string(int{QImage::Format_ARGB32_Premultiplied}));
  EXPECT_EQ(alone[4], "left out");
  EXPECT_NE(alone.back().find("p4.png"), std::string::npos);

  // A Load out of the announced order is served all the same.
  PictureBudget budget;
  budget.Prefetch(files);
  EXPECT_EQ(budget.Load(files[2])->width(), 12);
  EXPECT_EQ(budget.Load(files[0])->width(), 10);
}

}  // namespace
}  // namespace tiko
