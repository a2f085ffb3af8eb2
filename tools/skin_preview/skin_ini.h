// Just enough of Config.ini for the preview: sections of key=value lines,
// names without regard to case.
#pragma once

#include <QMap>
#include <QString>

namespace skin_preview {

class SkinIni {
 public:
  bool Load(const QString& path);
  QString Text(const QString& section, const QString& key, const QString& fallback = {}) const;
  int Integer(const QString& section, const QString& key, int fallback) const;

 private:
  QMap<QString, QMap<QString, QString>> sections_;  // lower-case names
};

}  // namespace skin_preview
