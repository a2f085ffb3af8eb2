#include "tools/doc_gen/fonts.h"

#include <QFile>
#include <QFontDatabase>
#include <QStringList>

namespace docgen {

QString load_fonts() {
  // fonts-dejavu-core puts these here; TIKO_FONT_DIR lets a different layout point elsewhere.
  QString dir = qEnvironmentVariable("TIKO_FONT_DIR", "/usr/share/fonts/truetype/dejavu");
  const QStringList files = {"DejaVuSerif.ttf", "DejaVuSerif-Bold.ttf", "DejaVuSans.ttf",
                             "DejaVuSans-Bold.ttf"};
  for (const QString& name : files) {
    const QString path = dir + "/" + name;
    if (!QFile::exists(path) || QFontDatabase::addApplicationFont(path) < 0) {
      return QStringLiteral("cannot load the font %1 (install fonts-dejavu-core)").arg(path);
    }
  }
  return {};
}

}  // namespace docgen
