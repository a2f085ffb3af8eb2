// Config.ini for the skin tests, read by the program's own INI reader and
// handed out as Qt strings.
#pragma once

#include <QString>

#include "config/ini/ini_file.h"

namespace skinart {

class SkinIni {
 public:
  bool Load(const QString& path) {
    auto file = tiko::IniFile::Load(path.toStdString());
    if (file) ini_ = std::move(*file);
    return file.has_value();
  }
  QString Text(const QString& section, const QString& key, const QString& fallback = {}) const {
    return QString::fromStdString(
        ini_.ReadString(section.toStdString(), key.toStdString(), fallback.toStdString()));
  }
  int Integer(const QString& section, const QString& key, int fallback) const {
    return ini_.ReadInteger(section.toStdString(), key.toStdString(), fallback);
  }

 private:
  tiko::IniFile ini_;
};

}  // namespace skinart
