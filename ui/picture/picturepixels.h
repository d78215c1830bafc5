#pragma once
// Pixel access to pictures: every QImage layout the picture loaders produce
// into a PixelGrid and back, and pictures encoded to file bytes in memory.
// Needs QtGui only (the command line uses it without widgets).

#include "imaging/pixelgrid.h"

#include <QByteArray>
#include <QImage>
#include <QString>

namespace lumi {

// A grid with the bit depth of the layout it came from: 15 (5-5-5) and 16 (5-6-5)
// hold raw 5- and 6-bit fields; 8 (palette or grey), 24 and 32 hold 0..255.
struct PicturePixels {
    PixelGrid grid;
    int bitDepth = 24;
};

// The picture's pixels; a null picture gives an empty grid of depth 24.
PicturePixels readPicturePixels(const QImage& picture);
// A picture of the grid: 5-5-5 (Format_RGB555) at depth 15, 5-6-5 (Format_RGB16)
// at depth 16, each component clamped to its field; 24-bit BGR otherwise.
// An empty grid gives a null picture; throws ImagingError when a picture of
// that size cannot be made (makePicture).
QImage writePicturePixels(const PixelGrid& grid, int bitDepth);

// "BMP" or "JPEG" by the file name's extension (.jpg, .jpeg), "PNG" for .png
// when allowPng; otherwise BMP.
QByteArray pictureFormatFor(const QString& fileName, bool allowPng);
// The picture as the bytes of a file of that format; empty when it cannot be encoded.
QByteArray encodePicture(const QImage& picture, const QByteArray& format);

} // namespace lumi
