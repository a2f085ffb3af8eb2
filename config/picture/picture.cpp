#include "config/picture/picture.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <fstream>
#include <vector>

#include "engine/ports.h"

namespace tiko {

namespace picture_detail {

void CheckSize(const char* format, std::int64_t width, std::int64_t height,
               const PictureLimits& limits) {
  if (width <= 0 || height <= 0 || width > limits.max_side || height > limits.max_side ||
      width * height > limits.max_pixels) {
    throw PictureTooLarge(std::string("the ") + format + " picture's size " +
                              std::to_string(width) + " x " + std::to_string(height) +
                              " is beyond what the program accepts",
                          width, height);
  }
}

}  // namespace picture_detail

namespace {

enum class Format { kBmp, kPng, kJpeg };

// The text after the last dot of the file's name, as written.
std::string ExtensionOf(const std::filesystem::path& file) {
  std::string name = file.filename().string();
  std::size_t dot = name.rfind('.');
  return dot == std::string::npos ? std::string() : name.substr(dot + 1);
}

bool FormatOf(std::string extension, Format& format) {
  for (char& c : extension) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  if (extension == "bmp") {
    format = Format::kBmp;
  } else if (extension == "png") {
    format = Format::kPng;
  } else if (extension == "jpg" || extension == "jpeg") {
    format = Format::kJpeg;
  } else {
    return false;
  }
  return true;
}

std::vector<unsigned char> ReadFile(const std::filesystem::path& file,
                                    const PictureLimits& limits) {
  std::error_code error;
  std::filesystem::file_status status = std::filesystem::status(file, error);
  if (!std::filesystem::exists(status)) throw UnitError("the file does not exist");
  // A pipe or a device could block or never end.
  if (!std::filesystem::is_regular_file(status)) throw UnitError("the file is not a plain file");
  std::uintmax_t size = std::filesystem::file_size(file, error);
  if (error) throw UnitError("the file cannot be read (" + error.message() + ")");
  if (size > limits.max_file_bytes) throw UnitError("the file is too large to be a picture");
  if (size == 0) throw UnitError("the file is empty");
  std::ifstream in(file, std::ios::binary);
  std::vector<unsigned char> data(static_cast<std::size_t>(size));
  if (!in || !in.read(reinterpret_cast<char*>(data.data()), static_cast<std::streamsize>(size))) {
    throw UnitError("the file cannot be read");
  }
  return data;
}

// Up to `bytes` from the start of a plain file; nothing for anything else.
// One open for the few hundred headers a skin's start-up reads.
std::vector<unsigned char> ReadHead(const std::filesystem::path& file, std::size_t bytes) {
  // Not blocking: a pipe at the file's place would hold the open forever.
  const int fd = ::open(file.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (fd < 0) return {};
  std::vector<unsigned char> head;
  struct stat st {};
  if (::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && st.st_size > 0) {
    head.resize(std::min(bytes, static_cast<std::size_t>(st.st_size)));
    std::size_t got = 0;
    while (got < head.size()) {
      const ssize_t n = ::pread(fd, head.data() + got, head.size() - got, static_cast<off_t>(got));
      if (n < 0 && errno == EINTR) continue;
      if (n <= 0) break;
      got += static_cast<std::size_t>(n);
    }
    head.resize(got);
  }
  ::close(fd);
  return head;
}

// A PNG's first chunk is its header: the signature, the chunk's length and
// name, then width and height, big-endian.
std::optional<QSize> PngHeaderSize(std::span<const unsigned char> head) {
  static constexpr unsigned char kStart[16] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n',
                                               0,    0,   0,   13,  'I',  'H',  'D',  'R'};
  if (head.size() < 24 || !std::equal(kStart, kStart + 16, head.begin())) return std::nullopt;
  auto u32 = [&](std::size_t at) {
    return std::uint32_t{head[at]} << 24 | std::uint32_t{head[at + 1]} << 16 |
           std::uint32_t{head[at + 2]} << 8 | head[at + 3];
  };
  const std::uint32_t width = u32(16), height = u32(20);
  if (width == 0 || height == 0 || width > INT_MAX || height > INT_MAX) return std::nullopt;
  return QSize(static_cast<int>(width), static_cast<int>(height));
}

std::string Explained(const std::filesystem::path& file, const UnitError& e) {
  return "Cannot load the picture \"" + file.string() + "\": " + e.what() + ".";
}

}  // namespace

QImage LoadPicture(const std::filesystem::path& file, const PictureLimits& limits) {
  std::string extension = ExtensionOf(file);
  Format format;
  if (!FormatOf(extension, format)) {
    throw UnitError("Unknown picture file extension (." + extension + ")");
  }
  try {
    std::vector<unsigned char> data = ReadFile(file, limits);
    switch (format) {
      case Format::kBmp:
        return DecodeBmp(data, limits);
      case Format::kPng:
        return DecodePng(data, limits);
      case Format::kJpeg:
        return DecodeJpeg(data, limits);
    }
  } catch (const PictureTooLarge& e) {
    throw PictureTooLarge(Explained(file, e), e.width, e.height);
  } catch (const UnitError& e) {
    throw UnitError(Explained(file, e));
  }
  return {};
}

std::optional<QSize> PictureFileSize(const std::filesystem::path& file) {
  Format format;
  if (!FormatOf(ExtensionOf(file), format)) return std::nullopt;
  // Enough for every header and the segments a JPEG may put before its size;
  // a PNG tells its size in its first 24 bytes.
  std::vector<unsigned char> head = ReadHead(file, format == Format::kPng ? 24 : 256 * 1024);
  if (head.empty()) return std::nullopt;
  PictureLimits none;
  none.max_pixels = 0;  // every picture is refused right after its header
  try {
    switch (format) {
      case Format::kBmp:
        DecodeBmp(head, none);
        break;
      case Format::kPng:
        return PngHeaderSize(head);
      case Format::kJpeg:
        DecodeJpeg(head, none);
        break;
    }
  } catch (const PictureTooLarge& e) {
    if (e.width > 0 && e.height > 0 && e.width <= INT_MAX && e.height <= INT_MAX) {
      return QSize(static_cast<int>(e.width), static_cast<int>(e.height));
    }
  } catch (const UnitError&) {
  }
  return std::nullopt;
}

QImage PlaceholderPicture() {
  QImage picture(10, 10, QImage::Format_RGB32);
  picture.fill(qRgb(255, 0, 0));
  for (int i = 0; i < 10; ++i) {  // the outer ring of pixels
    picture.setPixel(i, 0, qRgb(0, 0, 0));
    picture.setPixel(i, 9, qRgb(0, 0, 0));
    picture.setPixel(0, i, qRgb(0, 0, 0));
    picture.setPixel(9, i, qRgb(0, 0, 0));
  }
  return picture;
}

}  // namespace tiko
