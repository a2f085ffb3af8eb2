#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <string>
#include <string_view>

#include "config/ini/config_path.h"
#include "config/ini/ini_file.h"
#include "config/ini/int_text.h"
#include "engine/ports.h"

namespace tiko {
namespace {

TEST(IniFile, MatchesNamesWithoutCaseAndTrimsValues) {
  IniFile ini = IniFile::Parse(
      "\xEF\xBB\xBF; a comment\r\n"
      "[ Common ]\r\n"
      "  SkinDir =  Graphics\\Other\\  \r\n"
      "GameWidth=\t640\n"
      "Quoted=\"  spaced  \"\r"
      "Single='x'\n"
      "Lonely\n"
      "Empty=\n"
      "[common]\n"
      "GameHeight=480\n"
      "[Image7]\n"
      "Filename=a=b.png");
  EXPECT_EQ(ini.ReadString("COMMON", "skindir", "d"), "Graphics\\Other\\");
  EXPECT_EQ(ini.ReadInteger("common", "GAMEWIDTH", 1), 640);
  EXPECT_EQ(ini.ReadString("Common", "Quoted", "d"), "  spaced  ");
  EXPECT_EQ(ini.ReadString("Common", "Single", "d"), "x");
  EXPECT_EQ(ini.ReadString("Common", "Lonely", "d"), "d");  // no "=": not a key
  EXPECT_EQ(ini.ReadString("Common", "Empty", "d"), "");    // present, empty
  EXPECT_EQ(ini.ReadString("image7", "filename", ""), "a=b.png");
  // The first section of a name is the one read.
  EXPECT_EQ(ini.ReadInteger("Common", "GameHeight", 771), 771);
  EXPECT_EQ(ini.ReadString("Absent", "Key", "fallback"), "fallback");
  EXPECT_FALSE(IniFile().HasKey("Common", "SkinDir"));
}

TEST(IniFile, CutsLongValuesToTheBuffer) {
  std::string text = "[S]\nK=" + std::string(5000, 'v') + "\n";
  EXPECT_EQ(IniFile::Parse(text).ReadString("S", "K", "").size(), IniFile::kMaxValueLength);
  EXPECT_EQ(IniFile::Parse(std::string("[S]\nK=ab\0cd\n", 12)).ReadString("S", "K", ""), "ab");
}

TEST(IniFile, LoadsNothingFromAMissingFileAFolderOrADevice) {
  EXPECT_FALSE(IniFile::Load("/nonexistent/Config.ini").has_value());
  EXPECT_FALSE(IniFile::Load(std::filesystem::temp_directory_path()).has_value());
  EXPECT_FALSE(IniFile::Load("/dev/zero").has_value());  // endless
}

std::string Utf16(std::string_view ascii, bool big_endian) {
  std::string out;
  for (char c : ascii) {
    out += big_endian ? std::string(1, '\0') + c : std::string(1, c) + '\0';
  }
  return out;
}

TEST(IniFile, ReadsUtf16WithOrWithoutAByteOrderMark) {
  const std::string text = "[Common]\r\nGameWidth=640\r\n[Image1]\r\nFilename=x.png\r\n";
  for (bool big_endian : {false, true}) {
    const std::string bom = big_endian ? "\xFE\xFF" : "\xFF\xFE";
    for (const std::string& bytes : {bom + Utf16(text, big_endian), Utf16(text, big_endian)}) {
      IniFile ini = IniFile::Parse(bytes);
      EXPECT_EQ(ini.ReadInteger("Common", "GameWidth", 1), 640) << big_endian;
      EXPECT_EQ(ini.ReadString("Image1", "Filename", ""), "x.png") << big_endian;
    }
  }
  // Letters beyond ASCII come through as UTF-8.
  IniFile accented = IniFile::Parse(std::string("\xFF\xFE[\0S\0]\0\n\0K\0=\0\xE9\0", 16));
  EXPECT_EQ(accented.ReadString("S", "K", ""), "\xC3\xA9");
}

TEST(IniFile, AFileBeyondTheLimitIsNotReadAndIsTold) {
  const std::filesystem::path file =
      std::filesystem::temp_directory_path() / ("tiko-ini-" + std::to_string(::getpid()) + ".ini");
  std::string text = "[Common]\nGameWidth=640\n";
  text += std::string(IniFile::kMaxFileBytes + 1 - text.size(), ';');
  std::ofstream(file, std::ios::binary) << text;
  std::string problem;
  EXPECT_FALSE(IniFile::Load(file, &problem).has_value());
  EXPECT_NE(problem.find(file.string()), std::string::npos) << problem;
  EXPECT_NE(problem.find("default"), std::string::npos) << problem;
  // One byte less is read, and nothing is told.
  text.pop_back();
  std::ofstream(file, std::ios::binary | std::ios::trunc) << text;
  problem.clear();
  EXPECT_EQ(IniFile::Load(file, &problem).value_or(IniFile()).ReadInteger("Common", "GameWidth", 1),
            640);
  EXPECT_EQ(problem, "");
  std::filesystem::remove(file);
}

TEST(IntText, ReadsDecimalAndBothHexForms) {
  EXPECT_EQ(ParseInteger("771"), 771);
  EXPECT_EQ(ParseInteger("-20"), -20);
  EXPECT_EQ(ParseInteger("+5"), 5);
  EXPECT_EQ(ParseInteger("$000e47b4"), 0x000e47b4);
  EXPECT_EQ(ParseInteger("0x1F"), 31);
  EXPECT_EQ(ParseInteger("0XfF"), 255);
  EXPECT_EQ(ParseInteger("-$10"), -16);
  EXPECT_EQ(ParseInteger("$FFFFFFFF"), -1);
  EXPECT_EQ(ParseInteger("2147483647"), 2147483647);
  EXPECT_EQ(ParseInteger("-2147483648"), -2147483647 - 1);
  for (const char* bad : {"", "Center", "2147483648", "$100000000", "$", "0x", "-", "1 2", " 1",
                          "1 ", "12a", "$G", "0x-1", "--1"}) {
    EXPECT_FALSE(ParseInteger(bad).has_value()) << bad;
  }
}

TEST(IntText, IntegerKeysFallBackAndColoursFailLoudly) {
  IniFile ini = IniFile::Parse(
      "[Fullscreen]\nBgColor=blue\nLogoPosition=0x2\nBackdropStretch=yes\n"
      "[VideoMode]\nTranspColor=\n");
  EXPECT_EQ(ini.ReadInteger("Fullscreen", "LogoPosition", 1), 2);
  EXPECT_EQ(ini.ReadInteger("Fullscreen", "BackdropStretch", 0), 0);
  EXPECT_EQ(ini.ReadColor("Fullscreen", "Absent", "$000e47b4"), 0x000e47b4u);
  try {
    ini.ReadColor("Fullscreen", "BgColor", "$000e47b4");
    FAIL() << "no error";
  } catch (const UnitError& e) {
    EXPECT_STREQ(e.what(), "'blue' is not a valid integer value");
  }
  try {
    ini.ReadColor("VideoMode", "TranspColor", "$00ff00ff");
    FAIL() << "no error";
  } catch (const UnitError& e) {
    EXPECT_STREQ(e.what(), "'' is not a valid integer value");
  }
}

TEST(ConfigPath, TakesBothSeparatorsAndAddsTheTrailingOne) {
  EXPECT_EQ(IncludeTrailingDelimiter("Graphics\\Skin"), "Graphics\\Skin/");
  EXPECT_EQ(IncludeTrailingDelimiter("Graphics\\Skin\\"), "Graphics\\Skin\\");
  EXPECT_EQ(IncludeTrailingDelimiter("skin/"), "skin/");
  EXPECT_EQ(ConfigPath("Graphics\\Skin\\", "sub\\a.png"),
            std::filesystem::path("Graphics/Skin/sub/a.png"));
  EXPECT_EQ(ConfigIniPath("/opt/tiko"), std::filesystem::path("/opt/tiko/Config.ini"));
}

TEST(ConfigPath, RelativeFoldersGoUnderTheDataFolderAndAbsoluteOnesStay) {
  EXPECT_EQ(InDataDir("/usr/share/tiko", "Graphics\\Skin\\"), "/usr/share/tiko/Graphics\\Skin\\");
  EXPECT_EQ(ConfigPath(InDataDir("/usr/share/tiko/", "Graphics\\Skin\\"), "a.png"),
            std::filesystem::path("/usr/share/tiko/Graphics/Skin/a.png"));
  EXPECT_EQ(InDataDir("/usr/share/tiko", "/srv/skin/"), "/srv/skin/");
  EXPECT_EQ(InDataDir("/usr/share/tiko", "\\srv\\skin\\"), "\\srv\\skin\\");
  EXPECT_EQ(InDataDir("/usr/share/tiko", "/"), "/");  // an empty SkinDir names the root
  EXPECT_EQ(InDataDir("", "skin/"), "skin/");
}

}  // namespace
}  // namespace tiko
