// The unit's outline in windowed mode: pixels of the transparency colour are
// see-through, per pixel where a compositor blends windows, through the
// window's shape mask where none does.
#pragma once

#include <QImage>
#include <QRgb>

namespace tiko {

// True when the desktop blends translucent windows (a compositing manager runs).
bool CompositorRunning();

// Makes every pixel of the key colour fully transparent.
void ClearKeyColour(QImage& frame, QRgb key);

// A one-bit mask whose region is wherever the frame is not of the key colour.
QImage OutlineMask(const QImage& frame, QRgb key);

}  // namespace tiko
