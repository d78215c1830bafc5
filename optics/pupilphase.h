#pragma once

#include "analysis/analysiserror.h"
#include "analysis/wavefrontgrid.h"
#include "common/mathconstants.h"

#include <cmath>

namespace lumi {

// Visits every node (r, c), 0..N-1 each way, of the sampled grid that is in
// its pupil and hands `place(r, c, phaseRad)` the wavefront phase 2 pi W there
// (W in waves). Returns the number of nodes visited. Throws
// AnalysisError(NonFinite) on a node value that is not a number.
template <typename Place> int forEachPupilPhase(const WavefrontGrid& grid, Place&& place) {
    const int n = grid.gridCount;
    int open = 0;
    for (int r = 0; r < n; ++r) {
        for (int c = 0; c < n; ++c) {
            if (!grid.inPupil(r, c)) {
                continue;
            }
            const double w = grid.at(r, c);
            if (!std::isfinite(w)) {
                throw AnalysisError(AnalysisError::Kind::NonFinite,
                                    "The wavefront holds a value that is not a number.");
            }
            place(r, c, w * 2 * kPiRounded14);
            ++open;
        }
    }
    return open;
}

} // namespace lumi
