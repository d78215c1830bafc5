#pragma once

#include "analysis/measurement.h"
#include "analysis/syntheticheightmap.h"
#include "analysis/syntheticoptions.h"
#include "imaging/pixelgrid.h"

#include <functional>

namespace lumi {

// The interferogram redrawn from the used Zernike coefficients ("Update Synthetic").
class SyntheticInterferogram {
public:
    // Heights on d x d cells (d = options.gridSize, 1..256), waves at the input
    // wavelength (no wavelength ratio): sum over t = 1..highestTerm not removed by the
    // synthetic "Remove" boxes of coefficients[t] Z_t, with coefficients[8] -
    // idealConicCoefficients[8] for term 8 when "Null Test" is shown in aspheric
    // analysis. 0 outside the unit circle and inside (or on) the obstruction circle.
    // `progress` gets 99 i / d per node row. Throws AnalysisError InvalidSettings for
    // a bad grid size, InvalidGeometry for an obstruction without an aperture circle,
    // NonFinite for a non-finite height.
    static SyntheticHeightMap computeHeights(const Measurement& m, const SyntheticOptions& options,
                                             const std::function<void(int)>& progress = {});

    // "Update Synthetic": computes the heights and returns the shaded picture,
    // (d+1) x (d+1) pixels of which the last row and column keep `background`.
    // Throws AnalysisError as computeHeights and SyntheticShading.
    static PixelGrid draw(const Measurement& m, const SyntheticOptions& options,
                          PixelTriple background = {255, 255, 255},
                          const std::function<void(int)>& progress = {});
};

} // namespace lumi
