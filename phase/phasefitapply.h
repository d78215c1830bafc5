#pragma once

#include "analysis/applycommand.h"
#include "analysis/measurement.h"
#include "analysis/zernikecoefficients.h"

namespace lumi::phase {

// The outcome of making a whole-field Zernike fit the measurement's analysis, as
// APPLY leaves its results: the settings derived (wavelength ratio, waves per fringe, highestTerm),
// fittedCoefficients = `fittedWaves` (waves at the input wavelength, terms
// 0..highestTerm), coefficients = fitted - wavesPerFringe x reference, the
// summary (and in aspheric analysis `idealConic`, that of m's settings, and the
// best-fit conic), fitRmsError = residualRmsWaves, pointCount = sampleCount,
// fringeCount 0 and analysisDone. m.store.aperture must hold the aperture used.
// Its error is an AnalysisError as APPLY gives it.
ApplyOutcome applyPhaseFit(const Measurement& m, const ZernikeCoefficients& fittedWaves,
                           double residualRmsWaves, int sampleCount,
                           const IdealConic& idealConic = {});

} // namespace lumi::phase
