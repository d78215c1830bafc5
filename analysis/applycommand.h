#pragma once

#include "analysis/analysiserror.h"
#include "analysis/measurement.h"
#include "analysis/zernikesample.h"

#include <functional>
#include <optional>
#include <span>

namespace lumi {

// Computes m.results.idealConicCoefficients for aspheric analysis (ray trace of
// the ideal conic and its fit). Like the ideal-conic command it may leave the
// previous values in place when it cannot compute them.
using IdealConicProvider = std::function<void(Measurement&)>;

// The derived settings of APPLY: wavelengthRatio (input / output wavelength,
// single precision), wavesPerFringe = |entered value|, highestTerm (Auto -> 24,
// "n" -> n - 1) and analysisGridSize = 32. Throws AnalysisError
// ZeroOutputWavelength, NonFinite (ratio overflows), ZeroWavesPerFringe or
// InvalidSettings (Zernike terms neither Auto nor 1..37); fields set before the fault
// keep their new values.
void deriveAnalysisSettings(AnalysisSettings& settings);

// |input.wavesPerFringe| in single precision, as APPLY derives it. Throws
// AnalysisError InvalidSettings (too large) or ZeroWavesPerFringe.
float deriveWavesPerFringe(const AnalysisInput& input);

// Aspheric analysis: bestFitConic = coefficients[8] / idealConicCoefficients[8]
// x target K (K = 0 taken as 0.00001);
// sets results.applyProgress to BestFitConic. Throws
// AnalysisError ZeroIdealSpherical, InvalidSettings or NonFinite.
void estimateBestFitConic(Measurement& m);

// Runs `idealConic` when there is one and returns its AnalysisError instead of
// throwing, so the caller can still fit or summarise the measured wavefront and
// report the reason afterwards (no best-fit conic from stale ideal data).
std::optional<AnalysisError> computeIdealConicKeepingError(Measurement& m,
                                                           const IdealConicProvider& idealConic);

// The "APPLY" command: derives the settings, counts fringes and points, computes the ideal conic
// through `idealConic` in aspheric analysis (without a provider the previous idealConicCoefficients
// stay) or zeroes it in standard analysis, fits (fitZernike, which runs the summary), then in
// aspheric analysis sets bestFitConic = c8 / ideal8 x K (K = 0 taken as 0.00001), and finally
// analysisDone = true. When the provider throws AnalysisError, the fit and summary still run and
// that error is then rethrown (no best-fit conic, analysisDone unchanged). Any AnalysisError
// propagates; what was written before it stays, results.applyProgress tells how far it came and
// analysisDone is unchanged.
void runApply(Measurement& m, const IdealConicProvider& idealConic = {});

// runApply on samples of a whole-field phase map (normalised pupil coordinates,
// waves) instead of the store's points: pointCount = the sample count and
// fringeCount = `fringeCount` (the fringes seen across the pupil).
void runApplyToSamples(Measurement& m, std::span<const ZernikeSample> samples, int fringeCount,
                       const IdealConicProvider& idealConic = {});

// The analysis share of the reset for a new picture: grid zeroed, reference
// coefficients 0, analysisDone false. coefficients, fittedCoefficients and
// idealConicCoefficients keep their values.
void resetAnalysis(Measurement& m);

} // namespace lumi
