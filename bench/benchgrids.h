#pragma once
// Wavefronts shared by the benchmarks.

#include "analysis/wavefrontgrid.h"
#include "analysis/zernike.h"
#include "optics/pupilgeometry.h"

#include <memory>

namespace lumi::bench {

// 0.1 wave of astigmatism plus 0.05 wave of spherical sampled on grid count n
// over the unobstructed pupil (waves; 0 outside).
inline std::unique_ptr<WavefrontGrid> aberratedGrid(int n) {
    auto grid = std::make_unique<WavefrontGrid>();
    grid->gridCount = n;
    const PupilGeometry pupil;
    for (int r = 0; r <= n; ++r) {
        for (int c = 0; c <= n; ++c) {
            const double x = WavefrontGrid::nodeCoordinate(c, n);
            const double y = WavefrontGrid::nodeCoordinate(r, n);
            if (pupil.isOpen(x, y)) {
                grid->setInPupil(r, c, true);
                grid->at(r, c) = 0.1 * evaluateZernike(4, x, y) + 0.05 * evaluateZernike(8, x, y);
            }
        }
    }
    return grid;
}

} // namespace lumi::bench
