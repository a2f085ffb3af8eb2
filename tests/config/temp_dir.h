// A scratch folder for test files that is also the working directory while it lives.
#pragma once

#include <QImage>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>

namespace tiko::test {

class WorkDir {
 public:
  WorkDir() {
    std::string pattern = (std::filesystem::temp_directory_path() / "tiko-config-XXXXXX").string();
    path_ = mkdtemp(pattern.data());
    old_ = std::filesystem::current_path();
    std::filesystem::current_path(path_);
  }
  ~WorkDir() {
    std::filesystem::current_path(old_);
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  WorkDir(const WorkDir&) = delete;
  WorkDir& operator=(const WorkDir&) = delete;

  const std::filesystem::path& path() const { return path_; }

 private:
  std::filesystem::path path_;
  std::filesystem::path old_;
};

inline void WriteFile(const std::filesystem::path& file, std::string_view bytes) {
  if (file.has_parent_path()) std::filesystem::create_directories(file.parent_path());
  std::ofstream out(file, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

// A picture of one colour, written in the format its extension names.
inline void WritePicture(const std::filesystem::path& file, int width, int height,
                         QRgb color = qRgb(10, 200, 30)) {
  if (file.has_parent_path()) std::filesystem::create_directories(file.parent_path());
  QImage picture(width, height, QImage::Format_RGB32);
  picture.fill(color);
  picture.save(QString::fromStdString(file.string()));
}

}  // namespace tiko::test
