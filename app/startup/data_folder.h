// Finds the folder holding Config.ini and the data it names, or tells the
// player where it was looked for.
#pragma once

#include <filesystem>
#include <optional>
#include <string>

#include "config/ini/config_path.h"

namespace tiko {

// The message box text and the standard error line for a search that found nothing.
std::string MissingDataMessage(const DataSearch& search);
std::string MissingDataLine(const DataSearch& search);

// The data folder of the running program. When there is none, says so on
// standard error and in a message box, and gives nothing; no setting is touched.
std::optional<std::filesystem::path> LocateDataFolder();

}  // namespace tiko
