#pragma once

#include "imaging/pixelgrid.h"

#include <vector>

namespace lumi::phase {

// A picture of the fringe spectrum for the user to see the carrier side lobes and
// pick one: sizePx x sizePx, row-major, zero frequency at the centre pixel
// (sizePx / 2, sizePx / 2), fx growing to the right and fy downwards like picture
// axes. Map pixel (i, j) shows the frequency
//   fx = (i - sizePx / 2) x cyclesPerMapPx,  fy = (j - sizePx / 2) x cyclesPerMapPx
// in cycles per picture pixel, over the Nyquist range of the analysis grid.
struct FringeSpectrum {
    int sizePx = 0;
    std::vector<float> level; // log power stretched to 0..1 (median of the map 0, peak 1)
    double cyclesPerMapPx = 0.0;
};

// The spectrum of the picture's brightness block-averaged by `gridFactor` (the grid
// of the analysis, FourierResult::placement.scalePx), its mean taken off. Throws
// PhaseError BadInput when the grid is smaller than 2 x 2 or sizePx < 16.
FringeSpectrum fringeSpectrum(const PixelGrid& picture, int gridFactor, int sizePx);

} // namespace lumi::phase
