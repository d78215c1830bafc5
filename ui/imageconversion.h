#pragma once

#include "imaging/pixelgrid.h"

#include <QImage>

namespace lumi {

// PixelGrid <-> QImage. Pixel (x, y) maps to the same position; the result of
// toQImage is 32-bit RGB (opaque). A null image gives an empty grid.
QImage toQImage(const PixelGrid& grid);
PixelGrid toPixelGrid(const QImage& image);

} // namespace lumi
