#pragma once

#include "imaging/pixelgrid.h"

namespace lumi {

// Enlarges a cell picture by a whole factor k without smoothing, keeping its coordinate
// frame: a picture of w x h pixels whose pixel i covers coordinates i..i+1 becomes
// (w - 1) k + 1 by (h - 1) k + 1 pixels, cell i filling pixels i k .. i k + k - 1 and the
// last column and row (the picture's far edge) staying one pixel wide. Anything later
// scaled onto pixels 0..W-1 over the coordinate range 0..w-1 then lands on the same cells.
// A factor below 1 or an empty picture returns the picture unchanged.
PixelGrid upscaleCells(const PixelGrid& picture, int factor);

} // namespace lumi
