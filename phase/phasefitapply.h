#pragma once

#include "analysis/applycommand.h"
#include "analysis/measurement.h"
#include "analysis/zernikecoefficients.h"

namespace lumi::phase {

// Makes a whole-field Zernike fit the measurement's analysis, as APPLY leaves its
// results: the settings derived (wavelength ratio, waves per fringe, highestTerm),
// fittedCoefficients = `fittedWaves` (waves at the input wavelength, terms
// 0..highestTerm), coefficients = fitted - wavesPerFringe x reference, the
// summary (and in aspheric analysis the ideal conic through `idealConic` and the
// best-fit conic), fitRmsError = residualRmsWaves, pointCount = sampleCount,
// fringeCount 0 and analysisDone. m.store.aperture must hold the aperture used.
// Throws AnalysisError as APPLY does.
void applyPhaseFit(Measurement& m, const ZernikeCoefficients& fittedWaves, double residualRmsWaves,
                   int sampleCount, const IdealConicProvider& idealConic = {});

} // namespace lumi::phase
