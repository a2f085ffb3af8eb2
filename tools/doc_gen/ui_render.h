// Draws the window pictures: each one is a drawing NAME.svg rendered at its pixel size.
#pragma once

#include <QDir>
#include <QImage>
#include <QString>

namespace docgen {

// Renders svg_dir/NAME.svg into a WIDTH x HEIGHT picture with a transparent background.
// Returns a null image and sets `error` when the drawing cannot be read.
QImage render_ui_picture(const QDir& svg_dir, const QString& name, int width, int height,
                         QString& error);

}  // namespace docgen
