#pragma once
// Accuracy figures of autotracing on a Bath photograph with a known wavefront: seeds
// placed as a user clicks them along lines across the fringes, and how far the traced
// points and the fit of them lie from the truth.

#include "fringe/fringestore.h"
#include "fringe/imagepoint.h"
#include "imaging/pixelgrid.h"
#include "tools/samplegen/bathphoto.h"
#include "tools/samplegen/rgbimage.h"

#include <array>
#include <vector>

namespace lumi {

// A line of seeds across the fringes: through the point `offsetPupil` (aperture radii)
// from the centre at right angles to the tilt, turned `turnDeg` from the direction
// across the fringes. The five lines keep clear of the centre mark.
struct SeedLine {
    double offsetPupil;
    double turnDeg;
};
inline constexpr std::array kBathSeedLines{SeedLine{0.1, 0.0}, SeedLine{-0.15, 15.0},
                                           SeedLine{0.25, -20.0}, SeedLine{-0.3, 25.0},
                                           SeedLine{0.12, -30.0}};

// One seed where the line crosses each dark line inside 0.95 of the radius, in whole
// pixels like clicks, in the order of growing wavefront; with each dark line's order
// (W / wavesPerFringe - darkFringeOrder, a whole number).
struct Seeding {
    std::vector<ImagePoint> seeds;
    std::vector<double> orders;
};
Seeding seedsOnLine(const SampleRecipe& recipe, const BathPhotoSetup& setup, SeedLine line);

struct TracingFigures {
    int points = 0;
    int fringes = 0;                  // fringes with points
    double worstPeriods = 0.0;        // largest |order - own order| of a traced point, periods
    int misassigned = 0;              // points half a period or more from their own fringe
    double pvErrorWaves = 0.0;        // fitted minus true P-V (tilt and power removed)
    double worstTermErrorWaves = 0.0; // largest |fitted - true| over terms 4..8
};
// The figures of a store traced from `seeding` (fringe k from seed k), fitted with
// the default analysis settings.
TracingFigures tracingFigures(const SampleRecipe& recipe, const FringeStore& store,
                              const Seeding& seeding);

// The Bath photo's recipe with its centre mark an opaque disc 25 px across on a
// photo 600 px high, scaled with the picture. A user who did not mark it as an
// obstruction traces without one.
SampleRecipe markedBathRecipe(const BathPhotoSetup& setup);

} // namespace lumi
