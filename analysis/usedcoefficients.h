#pragma once

#include "analysis/applycommand.h"
#include "analysis/applyoutcome.h"
#include "analysis/measurement.h"
#include "analysis/zernikeaverage.h"

namespace lumi {

// Continues `from` (no error) with results.coefficients[0..lastTerm] replaced by
// `usedWaves` (waves at the input wavelength; entries above lastTerm become 0),
// progress Fitted, and the aberration summary without a new fit in the circles
// of `pupil`, progress Summarised. The one place where a command other than the
// fit changes the used coefficients.
ApplyOutcome withUsedCoefficients(ApplyOutcome from, const FringeStore& pupil,
                                  const ZernikeCoefficients& usedWaves, int lastTerm);

// withUsedCoefficients of m's settings and results.
ApplyOutcome replaceUsedCoefficients(const Measurement& m, const ZernikeCoefficients& usedWaves,
                                     int lastTerm);

// "Update/Subtract Reference Zernike": wavesPerFringe = |settings.input.wavesPerFringe|, then
// for t = 0..highestTerm coefficient t = wavesPerFringe x (shown t - reference t),
// where shownFringes are the coefficient grid's displayed values (fringes) and
// the reference is m.referenceFringes; then the summary. An AnalysisError
// ZeroWavesPerFringe / InvalidSettings comes before anything changes (progress
// NotRun), NonFinite from the summary after the coefficients are replaced (Fitted).
ApplyOutcome subtractReference(const Measurement& m, const ZernikeCoefficients& shownFringes);

// Makes an average the current coefficients: highestTerm = termCount, derived
// wavesPerFringe and wavelengthRatio from settings.input, coefficient t =
// wavesPerFringe x (mean t - reference t) for t = 0..termCount, and the
// summary, within fitWithIdealConic (in aspheric analysis `idealConic` is that
// of highestTerm = termCount). analysisDone is left as it is. An AnalysisError
// InvalidGeometry for a zero aperture radius and those of the derived settings
// come before anything changes (progress NotRun, m's settings); later faults
// leave what was computed.
ApplyOutcome applyZernikeAverage(const Measurement& m, const ZernikeAverage& average,
                                 const IdealConic& idealConic = {});

} // namespace lumi
