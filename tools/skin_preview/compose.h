// Draws the window's images the way the main window stacks them.
#pragma once

#include <QColor>
#include <QImage>
#include <array>

#include "engine/scene.h"

namespace skin_preview {

using Pictures = std::array<QImage, tiko::kImageEnd>;

// Fills with `ground` first (the transparency colour in windowed mode), then
// draws every visible image with the picture it currently shows, clipped to its size.
QImage Compose(const tiko::Scene& scene, const Pictures& pictures, QSize size, QColor ground);

// For screenshots: the transparency colour becomes a quiet desk with the
// unit's soft shadow on it, cut to the unit with a margin around it.
QImage OnDesk(const QImage& windowed, QColor key, int margin);

}  // namespace skin_preview
