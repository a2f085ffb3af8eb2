// Paths named in Config.ini: "\" and "/" both separate folders, folders get a
// trailing delimiter, and relative paths resolve against the working directory.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace tiko {

// The folder as written, with a delimiter appended when it has none.
std::string IncludeTrailingDelimiter(std::string_view folder);

// The folder (already ending in a delimiter) followed by the file name.
std::filesystem::path ConfigPath(std::string_view folder, std::string_view name);

// Config.ini in the executable's folder.
std::filesystem::path ConfigIniPath(const std::filesystem::path& exe_dir);

// A file the loaders may open: it exists and is not a folder.
bool FileExists(const std::filesystem::path& file);

}  // namespace tiko
