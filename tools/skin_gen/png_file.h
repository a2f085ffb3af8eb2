// The skin's pictures as PNG files that decode fast: rows stored unfiltered
// and deflated at the highest level. Every picture the unit shows at start is
// decoded before its first frame, and the adaptive filters Qt's writer picks
// (Paeth mostly) take more than twice as long to undo, for files no smaller.
#pragma once

#include <QImage>
#include <QString>

namespace skin_gen {

// RGBA when the picture has an alpha channel, RGB otherwise; false when the
// file cannot be written.
bool SavePng(const QImage& picture, const QString& path);

}  // namespace skin_gen
