#pragma once
// Wavefront grids for the optics tests, filled the way the sampler fills them:
// nodes 0..N, value 0 wherever the pupil is closed.

#include "analysis/wavefrontgrid.h"
#include "analysis/zernike.h"
#include "optics/pupilgeometry.h"

#include <initializer_list>
#include <memory>
#include <utility>

namespace lumi::testing {

// W(x, y) in waves on every open node of an N-interval grid.
template <typename Wavefront>
std::unique_ptr<WavefrontGrid> makeGrid(int n, const PupilGeometry& pupil, Wavefront wavefront) {
    auto grid = std::make_unique<WavefrontGrid>();
    grid->gridCount = n;
    for (int r = 0; r <= n; ++r) {
        const double y = WavefrontGrid::nodeCoordinate(r, n);
        for (int c = 0; c <= n; ++c) {
            const double x = WavefrontGrid::nodeCoordinate(c, n);
            if (pupil.isOpen(x, y)) {
                grid->at(r, c) = wavefront(x, y);
            }
        }
    }
    return grid;
}

// Sum of (term, coefficient in waves) pairs of Zernike terms.
inline std::unique_ptr<WavefrontGrid>
makeZernikeGrid(int n, const PupilGeometry& pupil,
                std::initializer_list<std::pair<int, double>> terms) {
    return makeGrid(n, pupil, [terms](double x, double y) {
        double w = 0.0;
        for (const auto& [term, waves] : terms) {
            w += waves * evaluateZernike(term, x, y);
        }
        return w;
    });
}

} // namespace lumi::testing
