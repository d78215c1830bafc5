#pragma once

#include "analysis/applycommand.h"
#include "analysis/measurement.h"
#include "analysis/zernikeaverage.h"

namespace lumi {

// Replaces results.coefficients[0..lastTerm] by `usedWaves` (waves at the input
// wavelength; entries above lastTerm become 0) and reruns the
// aberration summary without a new fit. The one place where a command other
// than the fit changes the used coefficients.
void replaceUsedCoefficients(Measurement& m, const ZernikeCoefficients& usedWaves, int lastTerm);

// "Update/Subtract Reference Zernike": wavesPerFringe = |settings.input.wavesPerFringe|, then
// for t = 0..highestTerm coefficient t = wavesPerFringe x (shown t - reference t),
// where shownFringes are the coefficient grid's displayed values (fringes) and
// the reference is m.referenceFringes; then the summary. Throws AnalysisError
// ZeroWavesPerFringe / InvalidSettings before anything changes, NonFinite from
// the summary (the coefficients are then already replaced).
void subtractReference(Measurement& m, const ZernikeCoefficients& shownFringes);

// Makes an average the current coefficients: highestTerm = termCount, derived
// wavesPerFringe and wavelengthRatio from settings.input, coefficient t =
// wavesPerFringe x (mean t - reference t) for t = 0..termCount, and the
// summary; in aspheric analysis the ideal conic (through `idealConic`) and the
// best-fit conic, otherwise idealConicCoefficients = 0. analysisDone is left
// as it is. Throws AnalysisError InvalidGeometry for a zero aperture radius and
// for the derived settings before anything changes; later faults leave what
// was written.
void applyZernikeAverage(Measurement& m, const ZernikeAverage& average,
                         const IdealConicProvider& idealConic = {});

} // namespace lumi
