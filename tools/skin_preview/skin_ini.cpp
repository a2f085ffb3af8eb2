#include "tools/skin_preview/skin_ini.h"

#include <QFile>
#include <QTextStream>

namespace skin_preview {

bool SkinIni::Load(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return false;
  QTextStream in(&file);
  QString section;
  while (!in.atEnd()) {
    const QString line = in.readLine().trimmed();
    if (line.isEmpty() || line.startsWith(';')) continue;
    if (line.startsWith('[') && line.endsWith(']')) {
      section = line.mid(1, line.size() - 2).trimmed().toLower();
      continue;
    }
    const qsizetype eq = line.indexOf('=');
    if (eq <= 0 || section.isEmpty()) continue;
    sections_[section][line.left(eq).trimmed().toLower()] = line.mid(eq + 1).trimmed();
  }
  return true;
}

QString SkinIni::Text(const QString& section, const QString& key, const QString& fallback) const {
  const auto s = sections_.constFind(section.toLower());
  if (s == sections_.constEnd()) return fallback;
  return s->value(key.toLower(), fallback);
}

int SkinIni::Integer(const QString& section, const QString& key, int fallback) const {
  QString text = Text(section, key);
  int base = 10;
  if (text.startsWith('$')) {
    text = text.mid(1);
    base = 16;
  }
  bool ok = false;
  const int value = text.toInt(&ok, base);
  return ok ? value : fallback;
}

}  // namespace skin_preview
