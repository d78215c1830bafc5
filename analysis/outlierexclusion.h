#pragma once

#include "analysis/applycommand.h"
#include "analysis/measurement.h"
#include "fringe/fringestore.h"

#include <functional>
#include <vector>

namespace lumi {

// A point left out of the fit, as the user sees it in the full store.
struct ExcludedPoint {
    int fringeNumber = 0; // store index + 1
    int pointNumber = 0;  // from 1
    double xPx = 0.0;
    double yPx = 0.0;
};

struct OutlierExclusion {
    FringeStore fittedPoints;            // the points the last fit used
    std::vector<ExcludedPoint> excluded; // in the order they were flagged
    int rounds = 0;                      // refits made (0: nothing was flagged)
};

// Rounds of flagging and refitting at most: a real misassigned point stands
// out in the first round, its neighbours at most in the next two.
inline constexpr int kMostExclusionRounds = 3;

// "Fit without flagged points", after an APPLY of `m`: the outliers of the last
// fit (flaggedOutliers, every one) are left out and APPLY runs again on the
// remaining points, until a fit flags nothing more or kMostExclusionRounds
// refits were made. m.store keeps every point; m.results and m.settings are
// those of the last refit (its point and fringe counts are of the points used).
// A fit that flags nothing is left exactly as it was. An AnalysisError of a
// refit propagates and leaves m as it was.
// `apply` runs each refit (runApply(m) when empty; the front ends pass their
// APPLY with its ideal-conic provider).
using ApplyRunner = std::function<void(Measurement&)>;
OutlierExclusion refitWithoutOutliers(Measurement& m, const ApplyRunner& apply = {});

} // namespace lumi
