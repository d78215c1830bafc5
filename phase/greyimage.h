#pragma once

#include "imaging/pixelgrid.h"

#include <cstdint>
#include <vector>

namespace lumi::phase {

// Brightness on a pixel grid, row-major (index y * width + x, y downwards).
struct GreyImage {
    int width = 0;
    int height = 0;
    std::vector<float> value;
};

// The picture's red + green + blue (0..765) averaged over factor x factor blocks:
// grid pixel (i, j) covers picture pixels factor*i .. factor*i + factor - 1 (likewise j),
// so its centre sits at picture position factor * i + (factor - 1) / 2. Rows and
// columns left over at the right and bottom are dropped. factor >= 1.
GreyImage blockAveragedGrey(const PixelGrid& picture, int factor);

// Mean of `values` over the (2 radius + 1)^2 box round each pixel, counting only the
// pixels where weight is 1 (weights 0 or 1); 0 where the box holds none.
std::vector<float> maskedBoxMean(const std::vector<float>& values,
                                 const std::vector<std::uint8_t>& weight, int width, int height,
                                 int radius);

} // namespace lumi::phase
