// The manual viewer's keys of Config.ini: the folder of the page pictures and
// the window's client size.
#pragma once

#include <filesystem>
#include <string>

#include "config/ini/data_folders.h"

namespace tiko {

struct ManualConfig {
  std::string dir = "Graphics\\Manual\\";  // as written; always ends in a delimiter
  DataFolders folders;                     // where dir resolves
  int width = 545;
  int height = 365;
};

// A missing Config.ini is not reported here: it gives the defaults.
ManualConfig ReadManualConfig(const DataFolders& folders);

// Page n (1 .. 16) is the file "n.bmp" in the manual folder.
std::filesystem::path ManualPagePath(const ManualConfig& config, int page);

}  // namespace tiko
