#pragma once

#include "analysis/applycommand.h"
#include "analysis/idealconicfit.h"
#include "analysis/measurement.h"

namespace lumi {

// The ideal-conic step of an aspheric APPLY: computes m.results.idealConicCoefficients
// from m.settings (the derived highestTerm included) by ray trace and fit. When the
// data give no computation (zero radius or diameter, a ray that misses) the previous
// coefficients stay and the AnalysisError propagates, so that APPLY reports why
// instead of estimating the best-fit conic from a stale ideal conic.
void applyIdealConic(Measurement& m, const ProgressCallback& progress = {});

// applyIdealConic as the provider that runApply takes.
IdealConicProvider idealConicProvider(ProgressCallback progress = {});

} // namespace lumi
