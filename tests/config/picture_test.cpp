#include "config/picture/picture.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <zlib.h>

#include <QBuffer>
#include <functional>

#include "engine/ports.h"
#include "tests/config/cmyk_jpeg.h"
#include "tests/config/temp_dir.h"

namespace tiko {
namespace {

using test::WorkDir;
using test::WriteFile;

std::string Encode(const QImage& picture, const char* format, int quality = -1) {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  EXPECT_TRUE(picture.save(&buffer, format, quality));
  return bytes.toStdString();
}

std::span<const unsigned char> Bytes(const std::string& data) {
  return {reinterpret_cast<const unsigned char*>(data.data()), data.size()};
}

QImage Gradient(int width, int height, bool alpha) {
  QImage picture(width, height, alpha ? QImage::Format_ARGB32 : QImage::Format_RGB32);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      picture.setPixel(x, y, qRgba(x * 16, y * 16, 128, alpha ? (x + y) * 8 : 255));
    }
  }
  return picture;
}

std::string ErrorOf(const std::function<void()>& action) {
  try {
    action();
  } catch (const UnitError& e) {
    return e.what();
  }
  return "no error";
}

void PutBigEndian32(std::string& data, std::size_t at, std::uint32_t value) {
  for (int i = 0; i < 4; ++i) data[at + i] = static_cast<char>(value >> (24 - 8 * i));
}

// A valid PNG whose header claims another size, with its checksum made right again.
std::string PngClaiming(std::uint32_t width, std::uint32_t height) {
  std::string png = Encode(Gradient(4, 4, false), "png");
  PutBigEndian32(png, 16, width);
  PutBigEndian32(png, 20, height);
  auto crc = crc32(0, reinterpret_cast<const Bytef*>(png.data() + 12), 17);
  PutBigEndian32(png, 29, static_cast<std::uint32_t>(crc));
  return png;
}

TEST(Picture, DecodesEachFormatWithItsPixels) {
  QImage with_alpha = Gradient(12, 7, true);
  QImage png = DecodePng(Bytes(Encode(with_alpha, "png")));
  EXPECT_EQ(png.format(), QImage::Format_ARGB32);
  EXPECT_EQ(png, with_alpha);

  QImage opaque = Gradient(12, 7, false);
  QImage png_rgb = DecodePng(Bytes(Encode(opaque, "png")));
  EXPECT_EQ(png_rgb.format(), QImage::Format_RGB32);
  EXPECT_EQ(png_rgb, opaque);
  EXPECT_EQ(
      DecodePng(Bytes(Encode(opaque.convertToFormat(QImage::Format_Indexed8), "png"))).pixel(3, 2),
      opaque.pixel(3, 2));

  QImage bmp = DecodeBmp(Bytes(Encode(opaque, "bmp")));
  EXPECT_EQ(bmp.format(), QImage::Format_RGB32);
  EXPECT_EQ(bmp, opaque);

  QImage flat(16, 16, QImage::Format_RGB32);
  flat.fill(qRgb(200, 40, 90));
  for (QImage source : {flat, flat.convertToFormat(QImage::Format_Grayscale8)}) {
    QImage jpeg = DecodeJpeg(Bytes(Encode(source, "jpg", 100)));
    ASSERT_EQ(jpeg.size(), QSize(16, 16));
    QRgb want = source.pixel(8, 8), got = jpeg.pixel(8, 8);
    EXPECT_NEAR(qRed(got), qRed(want), 3);
    EXPECT_NEAR(qGreen(got), qGreen(want), 3);
    EXPECT_NEAR(qBlue(got), qBlue(want), 3);
    EXPECT_EQ(qAlpha(got), 255);
  }
}

TEST(Picture, DecodesAdobeCmykJpeg) {
  const unsigned char red[4] = {255, 0, 0, 255};  // inverted: no cyan, full magenta and yellow
  QImage picture = DecodeJpeg(Bytes(test::CmykJpeg(8, 8, red)));
  ASSERT_EQ(picture.size(), QSize(8, 8));
  QRgb pixel = picture.pixel(4, 4);
  EXPECT_NEAR(qRed(pixel), 255, 3);
  EXPECT_NEAR(qGreen(pixel), 0, 3);
  EXPECT_NEAR(qBlue(pixel), 0, 3);
}

TEST(Picture, ChoosesTheDecoderByExtensionInAnyCase) {
  WorkDir dir;
  QImage opaque = Gradient(5, 5, false);
  WriteFile("a.PNG", Encode(opaque, "png"));
  WriteFile("b.Bmp", Encode(opaque, "bmp"));
  WriteFile("c.JPEG", Encode(opaque, "jpg"));
  WriteFile("d.jpg", Encode(opaque, "jpg"));
  WriteFile("e.gif", Encode(opaque, "png"));
  WriteFile("noext", Encode(opaque, "png"));
  EXPECT_EQ(LoadPicture("a.PNG"), opaque);
  EXPECT_EQ(LoadPicture("b.Bmp"), opaque);
  EXPECT_EQ(LoadPicture("c.JPEG").size(), QSize(5, 5));
  EXPECT_EQ(LoadPicture("d.jpg").size(), QSize(5, 5));
  EXPECT_EQ(ErrorOf([] { LoadPicture("e.gif"); }), "Unknown picture file extension (.gif)");
  EXPECT_EQ(ErrorOf([] { LoadPicture("noext"); }), "Unknown picture file extension (.)");
  // A PNG named .jpg is decoded as JPEG, and fails as one.
  WriteFile("f.jpg", Encode(opaque, "png"));
  EXPECT_NE(ErrorOf([] { LoadPicture("f.jpg"); }).find("invalid JPEG data"), std::string::npos);
}

TEST(Picture, ReportsDamagedFilesWithTheirName) {
  WorkDir dir;
  std::string png = Encode(Gradient(30, 30, true), "png");
  std::string jpeg = Encode(Gradient(30, 30, false), "jpg");
  std::string bmp = Encode(Gradient(30, 30, false), "bmp");

  std::string bad_crc = png;
  bad_crc[40] ^= 0x55;  // inside the image data
  WriteFile("crc.png", bad_crc);
  WriteFile("cut.png", png.substr(0, png.size() / 2));
  std::string long_chunk = png;
  PutBigEndian32(long_chunk, 33, 0x54000000);  // the chunk after the header claims 1.4 GB
  WriteFile("long.png", long_chunk);
  WriteFile("junk.png", "not a picture at all");
  WriteFile("empty.png", "");
  WriteFile("junk.jpg", "\xFF\xD8\xFF garbage that is no JPEG");
  WriteFile("head.jpg", jpeg.substr(0, 20));
  WriteFile("junk.bmp", "BM garbage");
  WriteFile("cut.bmp", bmp.substr(0, 40));
  for (const char* name : {"crc.png", "cut.png", "long.png", "junk.png", "empty.png", "junk.jpg",
                           "head.jpg", "junk.bmp", "cut.bmp"}) {
    std::string message = ErrorOf([&] { LoadPicture(name); });
    EXPECT_EQ(message.rfind(std::string("Cannot load the picture \"") + name + "\": ", 0), 0u)
        << message;
  }
  EXPECT_NE(ErrorOf([] { LoadPicture("absent.png"); }).find("does not exist"), std::string::npos);
  ASSERT_EQ(mkfifo("pipe.png", 0600), 0);  // would block if opened
  EXPECT_NE(ErrorOf([] { LoadPicture("pipe.png"); }).find("not a plain file"), std::string::npos);
  // A JPEG cut short still gives a picture of its size, grey where data is missing.
  EXPECT_EQ(DecodeJpeg(Bytes(jpeg.substr(0, jpeg.size() - 40))).size(), QSize(30, 30));
}

TEST(Picture, RefusesAbsurdSizesBeforeDecoding) {
  for (auto [w, h] : {std::pair{16385u, 1u}, {1u, 100000u}, {16384u, 16384u}, {1u << 29, 1u}}) {
    std::string message = ErrorOf([&] { DecodePng(Bytes(PngClaiming(w, h))); });
    EXPECT_NE(message.find("beyond what the program accepts"), std::string::npos) << message;
  }
  std::string jpeg = Encode(Gradient(8, 8, false), "jpg");
  std::size_t sof = jpeg.find("\xFF\xC0");
  ASSERT_NE(sof, std::string::npos);
  jpeg[sof + 5] = jpeg[sof + 7] = static_cast<char>(0xFF);  // 65280+ on each side
  EXPECT_NE(ErrorOf([&] { DecodeJpeg(Bytes(jpeg)); }).find("beyond"), std::string::npos);

  std::string bmp = Encode(Gradient(8, 8, false), "bmp");
  bmp[19] = bmp[23] = 0x7F;  // width and height near 32 million
  EXPECT_NE(ErrorOf([&] { DecodeBmp(Bytes(bmp)); }), "no error");
}

// A progressive JPEG keeps every coefficient until its last scan: a few
// hundred bytes declaring 16384 x 4096 in CMYK would take 768 MB to decode.
TEST(Picture, DecodersWorkingMemoryIsBoundedBeforeItIsTaken) {
  const unsigned char ink[4] = {255, 0, 255, 255};
  std::string jpeg = test::CmykJpeg(16, 16, ink, /*progressive=*/true);
  const std::size_t sof = jpeg.find("\xFF\xC2");
  ASSERT_NE(sof, std::string::npos);
  std::string huge = jpeg;
  PutBigEndian32(huge, sof + 5, 4096u << 16 | 16384u);  // height, then width
  try {
    DecodeJpeg(Bytes(huge));
    FAIL() << "decoded";
  } catch (const PictureTooLarge& e) {
    EXPECT_EQ(e.width, 16384);
    EXPECT_NE(std::string(e.what()).find("4 components"), std::string::npos) << e.what();
  }
  // The same picture at its own size decodes, but not in room for its pixels
  // alone; a picture in one scan needs no more than that.
  EXPECT_EQ(DecodeJpeg(Bytes(jpeg)).size(), QSize(16, 16));
  PictureLimits tight;
  tight.max_decode_bytes = 16 * 16 * 4;
  EXPECT_NE(ErrorOf([&] { DecodeJpeg(Bytes(jpeg), tight); }), "no error");
  EXPECT_EQ(DecodeJpeg(Bytes(test::CmykJpeg(16, 16, ink)), tight).size(), QSize(16, 16));
}

// The size a file declares, from its first bytes: a PNG whose pixel data is
// damaged, or a file of any length after its header, still tells it.
TEST(Picture, FileSizeIsReadFromTheHeaderAlone) {
  WorkDir dir;
  std::string png = Encode(Gradient(7, 5, false), "png");
  WriteFile("damaged.png", png.substr(0, 40) + std::string(300000, 'x'));
  EXPECT_EQ(PictureFileSize("damaged.png"), QSize(7, 5));
  WriteFile("wide.jpg", Encode(Gradient(9, 3, false), "jpg"));
  EXPECT_EQ(PictureFileSize("wide.jpg"), QSize(9, 3));
  WriteFile("tall.BMP", Encode(Gradient(2, 6, false), "bmp"));
  EXPECT_EQ(PictureFileSize("tall.BMP"), QSize(2, 6));
  WriteFile("claims.png", PngClaiming(16384, 16384));
  EXPECT_EQ(PictureFileSize("claims.png"), QSize(16384, 16384));
  WriteFile("text.png", "not a picture");
  EXPECT_EQ(PictureFileSize("text.png"), std::nullopt);
  WriteFile("picture.gif", png);
  EXPECT_EQ(PictureFileSize("picture.gif"), std::nullopt);
  EXPECT_EQ(PictureFileSize("absent.png"), std::nullopt);
}

TEST(Picture, PlaceholderIsARedSquareWithABlackOutline) {
  QImage picture = PlaceholderPicture();
  ASSERT_EQ(picture.size(), QSize(10, 10));
  for (int y = 0; y < 10; ++y) {
    for (int x = 0; x < 10; ++x) {
      bool edge = x == 0 || y == 0 || x == 9 || y == 9;
      EXPECT_EQ(picture.pixel(x, y), edge ? qRgb(0, 0, 0) : qRgb(255, 0, 0)) << x << "," << y;
    }
  }
}

}  // namespace
}  // namespace tiko
