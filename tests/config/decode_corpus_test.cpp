// Real pictures, as Debian packages ship them, decode pixel for pixel as their
// reference decoders do: Qt's readers, which run libpng's full interface and
// libjpeg. The BMP pictures are written from the real ones by ImageMagick in
// every form it has; where our BMP reading deliberately differs from Qt's (the
// fourth byte of 32-bit pixels, 16-bit channels), the comparison says how.
#include <gtest/gtest.h>

#include <QImageReader>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "config/picture/picture.h"
#include "engine/ports.h"
#include "tests/config/temp_dir.h"

namespace tiko {
namespace {

namespace fs = std::filesystem;

// The packages the test command installs for their pictures.
constexpr const char* kPackages = "imagemagick-6-doc imagemagick-6.q16 libpng-dev";

std::string Lower(std::string s) {
  for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return s;
}

std::vector<fs::path> PackagedPictures() {
  std::vector<fs::path> files;
  FILE* list = ::popen((std::string("dpkg-query -L ") + kPackages + " 2>/dev/null").c_str(), "r");
  if (list == nullptr) return files;
  char line[4096];
  while (std::fgets(line, sizeof line, list) != nullptr) {
    fs::path file = std::string(line, std::strcspn(line, "\n"));
    std::string ext = Lower(file.extension().string());
    std::error_code ec;
    if ((ext == ".png" || ext == ".jpg" || ext == ".jpeg") && fs::is_regular_file(file, ec) &&
        !fs::is_symlink(file, ec)) {
      files.push_back(file);
    }
  }
  ::pclose(list);
  return files;
}

// How one of our pixels must relate to the reference's.
using Rule = bool (*)(QRgb ours, QRgb reference);

bool Same(QRgb ours, QRgb reference) {
  return ours == reference;
}

// A channel of n bits spread over 0..255 by repeating its bits.
int Spread(int value, int bits) {
  int out = 0;
  for (int s = 8 - bits; s > -bits; s -= bits) out |= s >= 0 ? value << s : value >> -s;
  return out & 0xFF;
}

// Qt widens 16-bit channels by shifting; Windows spreads them over 0..255.
bool SpreadFrom16Bit(QRgb ours, QRgb reference) {
  auto same = [](int o, int r) { return o == Spread(r >> 3, 5) || o == Spread(r >> 2, 6); };
  return qAlpha(ours) == 255 && same(qRed(ours), qRed(reference)) &&
         same(qGreen(ours), qGreen(reference)) && same(qBlue(ours), qBlue(reference));
}

// Qt reads the fourth byte as alpha; Windows draws the colour alone.
bool ColourWithoutAlpha(QRgb ours, QRgb reference) {
  return qAlpha(ours) == 255 && (ours & 0xFFFFFF) == (reference & 0xFFFFFF);
}

// "" when every pixel matches, else what differs.
std::string Compare(const fs::path& file, Rule rule) {
  QImage ours;
  try {
    ours = LoadPicture(file);
  } catch (const UnitError& e) {
    return std::string(e.what()) + "\n";
  }
  QImageReader reader(QString::fromStdString(file.string()));
  reader.setAutoTransform(false);
  QImage reference = reader.read();
  if (reference.isNull()) return file.string() + ": the reference cannot read it\n";
  reference = reference.convertToFormat(QImage::Format_ARGB32);
  ours = ours.convertToFormat(QImage::Format_ARGB32);
  if (ours.size() != reference.size()) return file.string() + ": another size\n";
  int differing = 0;
  std::ostringstream first;
  for (int y = 0; y < ours.height(); ++y) {
    for (int x = 0; x < ours.width(); ++x) {
      QRgb o = ours.pixel(x, y), r = reference.pixel(x, y);
      if (rule(o, r)) continue;
      if (differing++ == 0)
        first << std::hex << " first at " << std::dec << x << "," << y << ": #" << std::hex << o
              << " against #" << r;
    }
  }
  if (differing == 0) return {};
  return file.string() + ": " + std::to_string(differing) + " pixels differ," + first.str() + "\n";
}

TEST(DecodeCorpus, PackagedPngAndJpegPicturesMatchTheirReferenceDecoders) {
  std::vector<fs::path> files = PackagedPictures();
  ASSERT_GE(files.size(), 100u) << "the packages " << kPackages << " are not installed";
  std::string differences;
  int sixteen_bit = 0, jpegs = 0;
  for (const fs::path& file : files) {
    differences += Compare(file, Same);
    QImageReader reader(QString::fromStdString(file.string()));
    QImage::Format format = reader.imageFormat();
    sixteen_bit += format == QImage::Format_RGBA64 || format == QImage::Format_RGBX64 ? 1 : 0;
    jpegs += Lower(file.extension().string()) == ".png" ? 0 : 1;
  }
  EXPECT_EQ(differences, "");
  EXPECT_GE(sixteen_bit, 5);  // the corpus holds what used to differ
  EXPECT_GE(jpegs, 5);
}

TEST(DecodeCorpus, BmpWrittenFromRealPicturesInEveryFormMatches) {
  std::vector<fs::path> files = PackagedPictures();
  ASSERT_GE(files.size(), 100u) << "the packages " << kPackages << " are not installed";
  test::WorkDir dir;
  struct Form {
    const char* name;
    const char* options;
    const char* format;
  };
  // ImageMagick's BMP2 has the 12-byte core header, BMP3 the 40-byte one and
  // BMP the 124-byte one with bit masks.
  const Form forms[] = {
      {"bgr24", "-alpha off -type TrueColor", "BMP3"},
      {"pal8", "-alpha off -type Palette", "BMP3"},
      {"rle8", "-alpha off -type Palette -compress RLE", "BMP3"},
      {"pal4", "-alpha off -colors 16 -type Palette", "BMP3"},
      {"mono", "-alpha off -monochrome", "BMP3"},
      {"core", "-alpha off -type Palette", "BMP2"},
      {"rgb555", "-alpha off -define bmp:subtype=RGB555", "BMP"},
      {"rgb565", "-alpha off -define bmp:subtype=RGB565", "BMP"},
      {"argb32", "-alpha on -type TrueColorAlpha", "BMP"},
      {"bgra32", "-alpha on -type TrueColorAlpha", "BMP3"},
  };
  std::string differences;
  int written = 0;
  int bits_seen[33] = {};
  for (std::size_t i = 0; i < files.size() && written < 15 * 10; i += 5) {
    QImageReader size_of(QString::fromStdString(files[i].string()));
    if (size_of.size().width() * size_of.size().height() > 200 * 200) continue;
    std::string command = "MAGICK_THREAD_LIMIT=1 convert -respect-parentheses '" + files[i].string() + "'";
    for (const Form& form : forms) {
      std::string out = std::to_string(i) + "-" + form.name + ".bmp";
      command += std::string(" \\( +clone ") + form.options + " -write " + form.format + ":" + out +
                 " +delete \\)";
    }
    command += " null: 2>/dev/null";
    ASSERT_EQ(std::system(command.c_str()), 0) << command;
    for (const Form& form : forms) {
      fs::path out = dir.path() / (std::to_string(i) + "-" + form.name + ".bmp");
      std::ifstream in(out, std::ios::binary);
      unsigned char head[30] = {};
      if (!in.read(reinterpret_cast<char*>(head), sizeof head)) continue;
      const int bits = head[14] == 12 ? head[24] : head[28];
      bits_seen[std::min(bits, 32)]++;
      differences += Compare(out, bits == 16   ? SpreadFrom16Bit
                                  : bits == 32 ? ColourWithoutAlpha
                                               : Same);
      ++written;
    }
  }
  EXPECT_GE(written, 100);
  for (int bits : {1, 4, 8, 16, 24, 32}) EXPECT_GT(bits_seen[bits], 0) << bits << " bits";
  EXPECT_EQ(differences, "");
}

}  // namespace
}  // namespace tiko
