// Where the data lives and the paths named in Config.ini: "\" and "/" both
// separate folders, folders get a trailing delimiter, and relative paths
// resolve against the data folder, the one that holds Config.ini.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tiko {

// The folder as written, with a delimiter appended when it has none.
std::string IncludeTrailingDelimiter(std::string_view folder);

// A folder named in Config.ini, in front of which the data folder goes when
// it is relative. An empty data folder leaves it as written.
std::string InDataDir(const std::filesystem::path& data_dir, std::string_view folder);

// The folder (already ending in a delimiter) followed by the file name.
std::filesystem::path ConfigPath(std::string_view folder, std::string_view name);

// Config.ini in the data folder.
std::filesystem::path ConfigIniPath(const std::filesystem::path& data_dir);

// A file the loaders may open: it exists and is not a folder.
bool FileExists(const std::filesystem::path& file);

struct DataSearch {
  std::optional<std::filesystem::path> found;   // the first folder holding Config.ini
  std::vector<std::filesystem::path> searched;  // in the order looked at
};

// The data folder of a program in exe_dir: exe_dir itself (the portable
// folder the build writes), else the installed data folder found from it,
// `installed_from_bin` being that folder relative to the program's folder.
DataSearch FindDataDir(const std::filesystem::path& exe_dir,
                       const std::filesystem::path& installed_from_bin);

// The installed data folder relative to the installed program's folder, as
// the build configured it ("../share/tiko").
std::filesystem::path InstalledDataFromBin();

}  // namespace tiko
