#include "config/skin/manual_config.h"

#include "config/ini/config_path.h"
#include "config/ini/ini_file.h"

namespace tiko {

ManualConfig ReadManualConfig(const std::filesystem::path& data_dir) {
  IniFile ini = IniFile::Load(ConfigIniPath(data_dir)).value_or(IniFile());
  ManualConfig config;
  config.dir = InDataDir(
      data_dir, IncludeTrailingDelimiter(ini.ReadString("Manual", "ManualDir", config.dir)));
  config.height = ini.ReadInteger("Manual", "ManualHeight", config.height);
  config.width = ini.ReadInteger("Manual", "ManualWidth", config.width);
  return config;
}

std::filesystem::path ManualPagePath(const ManualConfig& config, int page) {
  return ConfigPath(config.dir, std::to_string(page) + ".bmp");
}

}  // namespace tiko
