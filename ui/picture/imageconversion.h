#pragma once

#include "imaging/pixelgrid.h"

#include <QImage>

namespace lumi {

// PixelGrid <-> QImage. Pixel (x, y) maps to the same position; the result of
// toQImage is 32-bit RGB (opaque). A null image gives an empty grid and an
// empty grid a null image; throws ImagingError when a picture of the grid's
// size cannot be made (makePicture).
QImage toQImage(const PixelGrid& grid);
PixelGrid toPixelGrid(const QImage& image);

// A new picture of that size and format, never null: throws ImagingError
// naming the size when it is empty, longer than kMaxPictureSidePx a side, or
// cannot be allocated. Every picture made from a grid comes from here.
QImage makePicture(int widthPx, int heightPx, QImage::Format format);

} // namespace lumi
