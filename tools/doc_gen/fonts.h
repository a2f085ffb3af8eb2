// The typefaces the pictures are set in, loaded from the files Debian installs so that the
// generator finds them without a window system.
#pragma once

#include <QString>

namespace docgen {

inline const QString kSerif = QStringLiteral("DejaVu Serif");
inline const QString kSans = QStringLiteral("DejaVu Sans");

// Registers the DejaVu fonts with the application. Returns an empty string on success,
// otherwise a message naming the font file that could not be loaded.
QString load_fonts();

}  // namespace docgen
