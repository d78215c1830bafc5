#pragma once

#include "analysis/applycommand.h"
#include "analysis/idealconicfit.h"

#include <optional>

namespace lumi {

// The ideal conic of an aspheric APPLY of `settings` (their input derived as APPLY
// derives it; `highestTerm` replaces the derived term count, as an average does):
// computeIdealConic's coefficients, or its AnalysisError when the data give no
// computation (zero radius or diameter, a ray that misses), so that APPLY reports
// why instead of estimating the best-fit conic from a stale ideal conic. Nothing
// in standard analysis, and nothing when the settings cannot be derived (the
// command then stops before it needs an ideal conic).
IdealConic idealConicFor(const AnalysisSettings& settings,
                         std::optional<int> highestTerm = std::nullopt,
                         const ProgressCallback& progress = {});

} // namespace lumi
