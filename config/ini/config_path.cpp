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

DataSearch FindDataDir(const std::filesystem::path& exe_dir,
                       const std::filesystem::path& installed_from_bin) {
  DataSearch search;
  for (const std::filesystem::path& dir :
       {exe_dir.lexically_normal(), (exe_dir / installed_from_bin).lexically_normal()}) {
    std::filesystem::path folder = dir;
    if (!folder.has_filename() && folder.has_relative_path()) folder = folder.parent_path();
    search.searched.push_back(folder);
    if (FileExists(ConfigIniPath(folder))) {
      search.found = folder;
      break;
    }
  }
  return search;
}

std::filesystem::path InstalledDataFromBin() {
  return TIKO_DATA_FROM_BIN;
}

}  // namespace tiko
