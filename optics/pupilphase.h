#pragma once

#include "analysis/analysiserror.h"
#include "analysis/wavefrontgrid.h"
#include "optics/pupilgeometry.h"

#include <cmath>

namespace lumi {

// pi as the plots have always used it (14 decimals), so pictures stay identical.
inline constexpr double kPupilPhasePi = 3.14159265358979;

// Visits every node (r, c), 0..N-1 each way, of the sampled grid that passes
// light and hands `place(r, c, phaseRad)` the wavefront phase 2 pi W there
// (W in waves). Returns the number of nodes visited. Throws
// AnalysisError(NonFinite) on a node value that is not a number.
template <typename Place>
int forEachPupilPhase(const WavefrontGrid& grid, const PupilGeometry& pupil, Place&& place) {
    const int n = grid.gridCount;
    int open = 0;
    for (int r = 0; r < n; ++r) {
        const double y = WavefrontGrid::nodeCoordinate(r, n);
        for (int c = 0; c < n; ++c) {
            const double x = WavefrontGrid::nodeCoordinate(c, n);
            if (!pupil.isOpen(x, y)) {
                continue;
            }
            const double w = grid.at(r, c);
            if (!std::isfinite(w)) {
                throw AnalysisError(AnalysisError::Kind::NonFinite,
                                    "The wavefront holds a value that is not a number.");
            }
            place(r, c, w * 2 * kPupilPhasePi);
            ++open;
        }
    }
    return open;
}

} // namespace lumi
