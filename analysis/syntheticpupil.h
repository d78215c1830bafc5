#pragma once

#include "analysis/syntheticheightmap.h"
#include "analysis/zernikecoefficients.h"
#include "fringe/fringestore.h"

#include <array>
#include <functional>

namespace lumi {

// The node grid of the synthetic and ideal interferograms: nodes (i, j), 0..d each
// way, at normalised pupil x = j (2/d) - 1, y = i (2/d) - 1 (step in single
// precision), masked by the unit circle and the obstruction circle of the store
// (normalised by the aperture circle; an obstruction radius of 0 means none).
class SyntheticPupil {
public:
    // Coefficient per term 0..36, waves; term 0 (piston) is never drawn.
    using Coefficients = std::array<double, kZernikeTermCount>;

    // Throws AnalysisError InvalidSettings for d outside 1..256 and InvalidGeometry
    // for an obstruction that has no aperture circle to be normalised by.
    SyntheticPupil(const FringeStore& store, int gridSize);

    // Heights sum_{t=1..36} coefficients[t] Z_t(x, y) at nodes with rho <= 1 that lie
    // strictly outside the obstruction; other nodes 0. progress(99 i / d) per row.
    // Throws AnalysisError NonFinite for a non-finite height.
    SyntheticHeightMap heights(const Coefficients& coefficients,
                               const std::function<void(int)>& progress = {}) const;

private:
    int d_;
    bool obstructed_ = false;
    double ox_ = 0.0, oy_ = 0.0, orad_ = 0.0;
};

} // namespace lumi
