#include "config/ini/config_path.h"

#include <system_error>

namespace tiko {

namespace {

bool IsDelimiter(char c) {
  return c == '\\' || c == '/';
}

}  // namespace

std::string IncludeTrailingDelimiter(std::string_view folder) {
  std::string result(folder);
  if (result.empty() || !IsDelimiter(result.back())) result += '/';
  return result;
}

std::string InDataDir(const std::filesystem::path& data_dir, std::string_view folder) {
  if (data_dir.empty() || (!folder.empty() && IsDelimiter(folder.front()))) {
    return std::string(folder);
  }
  return IncludeTrailingDelimiter(data_dir.string()) + std::string(folder);
}

std::filesystem::path ConfigPath(std::string_view folder, std::string_view name) {
  std::string joined(folder);
  joined += name;
  for (char& c : joined) {
    if (c == '\\') c = '/';
  }
  return std::filesystem::path(joined);
}

std::filesystem::path ConfigIniPath(const std::filesystem::path& data_dir) {
  return data_dir / "Config.ini";
}

bool FileExists(const std::filesystem::path& file) {
  std::error_code error;
  auto status = std::filesystem::status(file, error);
  return !error && std::filesystem::exists(status) && !std::filesystem::is_directory(status);
}

std::filesystem::path InstalledDataFromBin() {
  return TIKO_DATA_FROM_BIN;
}

}  // namespace tiko
