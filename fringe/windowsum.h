#pragma once

#include "imaging/pixelgrid.h"

namespace lumi {

// Brightness of pixel (x, y): red + green + blue, 0 (black) .. 765 (white).
// A pixel outside the picture counts as 765, so a dark search never runs off
// the picture's edge.
int pixelBrightness(const PixelGrid& picture, int xPx, int yPx);

// Sum of the brightness over the 7 x 7 pixels at columns xPx + i and rows
// yPx + j, i, j = -3..3, each coordinate rounded to the nearest whole pixel
// (halves to even, so a window at a half-pixel position is not a plain shift
// of its neighbour). 0 .. 49 x 765; smaller is darker.
int windowSum(const PixelGrid& picture, double xPx, double yPx);

} // namespace lumi
