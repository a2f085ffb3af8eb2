// Finds the folders holding Config.ini and the data it names, or tells the
// player where they were looked for.
#pragma once

#include <optional>
#include <string>

#include "config/ini/data_folders.h"

namespace tiko {

// The message box text and the standard error line for a search that found nothing.
std::string MissingDataMessage(const DataFolders& folders);
std::string MissingDataLine(const DataFolders& folders);

// The data folders of the running program: the player's own, the program's,
// the installed one. When none holds Config.ini, says so on standard error and
// in a message box, and gives nothing; no setting is touched.
std::optional<DataFolders> LocateDataFolders();

}  // namespace tiko
