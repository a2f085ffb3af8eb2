#include "config/ini/data_folders.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <system_error>

#include "config/ini/config_path.h"

namespace tiko {

namespace {

// "a/b/../c/" and "a/c" name one folder and print alike.
std::filesystem::path Normal(const std::filesystem::path& dir) {
  std::filesystem::path folder = dir.lexically_normal();
  if (!folder.has_filename() && folder.has_relative_path()) folder = folder.parent_path();
  return folder;
}

bool HoldsConfig(const std::filesystem::path& dir) {
  return FileExists(ConfigIniPath(dir));
}

bool IsAbsolute(std::string_view folder) {
  return !folder.empty() && (folder.front() == '/' || folder.front() == '\\');
}

}  // namespace

DataFolders::DataFolders(const std::filesystem::path& user, const std::filesystem::path& program,
                         const std::filesystem::path& installed) {
  if (!user.empty()) folders_.push_back({Normal(user), Kind::kUser});
  folders_.push_back({Normal(program), Kind::kProgram});
  folders_.push_back({Normal(installed), Kind::kInstalled});
}

std::vector<std::filesystem::path> DataFolders::Searched() const {
  std::vector<std::filesystem::path> dirs;
  for (const Folder& folder : folders_) dirs.push_back(folder.dir);
  return dirs;
}

std::optional<DataFolders::Folder> DataFolders::ConfigFolder() const {
  for (const Folder& folder : folders_) {
    if (HoldsConfig(folder.dir)) return folder;
  }
  return std::nullopt;
}

std::filesystem::path DataFolders::ConfigIni() const {
  if (std::optional<Folder> folder = ConfigFolder()) return ConfigIniPath(folder->dir);
  for (const Folder& folder : folders_) {
    if (folder.kind != Kind::kUser) return ConfigIniPath(folder.dir);
  }
  return ConfigIniPath({});
}

std::vector<std::filesystem::path> DataFolders::ReadFrom() const {
  if (read_from_) return *read_from_;
  std::vector<std::filesystem::path> dirs;
  for (const Folder& folder : folders_) {
    if (HoldsConfig(folder.dir)) dirs.push_back(folder.dir);
  }
  if (dirs.empty()) return Searched();
  return dirs;
}

DataFolders DataFolders::Settled() const {
  DataFolders settled = *this;
  settled.read_from_ = ReadFrom();
  return settled;
}

std::filesystem::path DataFolders::Resolve(std::string_view folder, std::string_view name) const {
  if (IsAbsolute(folder)) return ConfigPath(folder, name);
  std::optional<std::filesystem::path> first;
  for (const std::filesystem::path& dir : ReadFrom()) {
    std::filesystem::path file = ConfigPath(InDataDir(dir, folder), name);
    if (FileExists(file)) return file;
    if (!first) first = file;
  }
  return first ? *first : ConfigPath(folder, name);
}

DataFolders::Editable DataFolders::EditableConfig() const {
  std::optional<Folder> in_use = ConfigFolder();
  // Like any shell open of a missing file: opened all the same, without a word.
  if (!in_use) return {ConfigIni(), {}};
  const std::filesystem::path installed = ConfigIniPath(in_use->dir);
  if (in_use->kind != Kind::kInstalled) return {installed, {}};
  const Folder* user = nullptr;
  for (const Folder& folder : folders_) {
    if (folder.kind == Kind::kUser) user = &folder;
  }
  if (!user) return {installed, {}};

  // The player's folder holds no Config.ini (it would be in use): a copy goes there.
  const std::filesystem::path copy = ConfigIniPath(user->dir);
  std::error_code error;
  std::filesystem::create_directories(user->dir, error);
  if (!error) {
    std::filesystem::copy_file(installed, copy, std::filesystem::copy_options::skip_existing,
                               error);
  }
  if (error || !FileExists(copy)) {
    return {std::nullopt, "Config.ini could not be copied to " + copy.string() + ": " +
                              (error ? error.message() : std::string("not a file")) + "."};
  }
  // Installed files may be read-only; the player's copy is theirs to change.
  std::filesystem::permissions(
      copy, std::filesystem::perms::owner_read | std::filesystem::perms::owner_write,
      std::filesystem::perm_options::add, error);
  return {copy, {}};
}

std::filesystem::path UserDataFolder() {
  // A relative XDG_DATA_HOME is invalid and ignored, as the XDG rules say.
  const char* xdg = std::getenv("XDG_DATA_HOME");
  if (xdg != nullptr && *xdg != '\0' && std::filesystem::path(xdg).is_absolute()) {
    return std::filesystem::path(xdg) / "tiko";
  }
  const char* home = std::getenv("HOME");
  if (home == nullptr || *home == '\0') {
    const passwd* pw = ::getpwuid(::getuid());
    if (pw == nullptr || pw->pw_dir == nullptr) return {};
    home = pw->pw_dir;
  }
  return std::filesystem::path(home) / ".local" / "share" / "tiko";
}

DataFolders ProgramDataFolders(const std::filesystem::path& user,
                               const std::filesystem::path& exe_dir,
                               const std::filesystem::path& installed_from_bin) {
  return DataFolders(user, exe_dir, exe_dir / installed_from_bin);
}

}  // namespace tiko
