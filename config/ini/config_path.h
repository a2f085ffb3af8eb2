// Where the data lives and the paths named in Config.ini: "\" and "/" both
// separate folders, folders get a trailing delimiter, and relative paths
// resolve against the data folder, the one that holds Config.ini.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

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

// The installed data folder relative to the installed program's folder, as
// the build configured it ("../share/tiko").
std::filesystem::path InstalledDataFromBin();

}  // namespace tiko
