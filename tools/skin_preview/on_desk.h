// For screenshots: the transparency colour becomes a quiet desk with the
// unit's soft shadow on it, cut to the unit with a margin around it.
#pragma once

#include <QColor>
#include <QImage>

namespace skin_preview {

QImage OnDesk(const QImage& windowed, QColor key, int margin);

}  // namespace skin_preview
