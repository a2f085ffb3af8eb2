#include "config/skin/manual_config.h"

#include "config/ini/config_path.h"
#include "config/ini/ini_file.h"

namespace tiko {

ManualConfig ReadManualConfig(const DataFolders& folders) {
  IniFile ini = IniFile::Load(folders.ConfigIni()).value_or(IniFile());
  ManualConfig config;
  config.dir = IncludeTrailingDelimiter(ini.ReadString("Manual", "ManualDir", config.dir));
  config.folders = folders;
  config.height = ini.ReadInteger("Manual", "ManualHeight", config.height);
  config.width = ini.ReadInteger("Manual", "ManualWidth", config.width);
  return config;
}

std::filesystem::path ManualPagePath(const ManualConfig& config, int page) {
  return config.folders.Resolve(config.dir, std::to_string(page) + ".bmp");
}

}  // namespace tiko
