#pragma once

#include "analysis/applycommand.h"
#include "analysis/applyoutcome.h"
#include "analysis/measurement.h"
#include "fringe/fringestore.h"

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
    // The settings and results to keep: those of the last refit, or the
    // measurement's own when nothing was flagged (progress Summarised, the APPLY
    // it started from). With an error a refit failed and nothing is to be kept.
    ApplyOutcome outcome;
};

// Rounds of flagging and refitting at most: a real misassigned point stands
// out in the first round, its neighbours at most in the next two.
inline constexpr int kMostExclusionRounds = 3;

// "Fit without flagged points", after an APPLY of `m`: the outliers of the last
// fit (flaggedOutliers, every one) are left out and APPLY runs again on the
// remaining points (with `idealConic`, that of m's settings), until a fit flags
// nothing more or kMostExclusionRounds refits were made. m.store keeps every
// point; the outcome is that of the last refit (its point and fringe counts are
// of the points used). A fit that flags nothing is left exactly as it was. The
// AnalysisError of a failed refit is the outcome's error.
OutlierExclusion refitWithoutOutliers(const Measurement& m, const IdealConic& idealConic = {});

} // namespace lumi
