#pragma once

#include "fringe/fringestore.h"
#include "imaging/pixelgrid.h"

namespace lumi {

// Nudges the points of one fringe sideways onto the darkest line: four
// passes, in each of which every point may move one pixel either way along
// the normal to the line to its nearest neighbour, to the darker of the 7 x 7
// window sums (windowsum.h). Moved or not, a point ends on whole pixels, and
// only inside the annulus (69/70 of the aperture radius, outside the
// obstruction). Each pass moves a point by at most one pixel along its normal.
class FringeOptimizer {
public:
    enum class Outcome {
        Optimized,
        TooManyPoints, // more than 100 points: nothing changed
    };
    static constexpr int kMaxPoints = 100;
    static constexpr int kPasses = 4;

    // The picture must outlive the optimiser.
    explicit FringeOptimizer(const PixelGrid& picture) : picture_(picture) {}

    // Optimises fringe f (0..100) of the store in place. A point without a
    // distinct neighbour (a fringe of one point, or a neighbour at the same
    // rounded position) stays where it is.
    Outcome optimize(FringeStore& store, int fringe) const;

private:
    const PixelGrid& picture_;
};

} // namespace lumi
