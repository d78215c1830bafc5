#pragma once

#include "analysis/analysiserror.h"
#include "analysis/applyoutcome.h"
#include "analysis/measurement.h"
#include "analysis/zernikesample.h"

#include <functional>
#include <optional>
#include <span>

namespace lumi {

// The ideal conic an aspheric analysis compensates (ray trace of the ideal conic
// and its fit, see idealConicFor): its coefficients, waves at the input
// wavelength, or the reason they could not be computed. With neither the
// previous idealConicCoefficients stay.
struct IdealConic {
    std::optional<ZernikeCoefficients> coefficients;
    std::optional<AnalysisError> error;
};

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

// Aspheric analysis: the best-fit conic = coefficients[8] / idealConicCoefficients[8]
// x target K (K = 0 taken as 0.00001). Throws AnalysisError ZeroIdealSpherical,
// InvalidSettings or NonFinite.
float estimateBestFitConic(const AnalysisInput& input, const AnalysisResults& results);

// Continues `from` (no error) with `fit` (the fit or the new used coefficients,
// and the summary) and the share of the analysis type: in standard analysis
// idealConicCoefficients = 0 before `fit`; in aspheric analysis idealConic's
// coefficients (when it has them) before `fit`, then after a successful `fit`
// idealConic's error (the summary of the measured wavefront is still shown,
// no best-fit conic from stale ideal data) or the best-fit conic, progress
// BestFitConic.
ApplyOutcome fitWithIdealConic(ApplyOutcome from, const IdealConic& idealConic,
                               const std::function<ApplyOutcome(ApplyOutcome)>& fit);

// The "APPLY" command on m's points with m.settings.input: derives the settings
// (progress NotRun until then), counts fringes and points (Counted), then
// fitWithIdealConic around the fit of the points (withZernikeFit), and finally
// analysisDone = true. After a fault the outcome holds what was computed before
// it, the rest as in m, analysisDone as in m; progress tells how far it came.
ApplyOutcome runApply(const Measurement& m, const IdealConic& idealConic = {});

// runApply on samples of a whole-field phase map (normalised pupil coordinates,
// waves) instead of the store's points: pointCount = the sample count and
// fringeCount = `fringeCount` (the fringes seen across the pupil).
ApplyOutcome runApplyToSamples(const Measurement& m, std::span<const ZernikeSample> samples,
                               int fringeCount, const IdealConic& idealConic = {});

// The analysis share of the reset for a new picture: `results` with the grid
// zeroed and analysisDone false; coefficients, fittedCoefficients and
// idealConicCoefficients keep their values. (The reference coefficients are
// zeroed too, by the caller that holds them.)
AnalysisResults resultsForNewPicture(AnalysisResults results);

} // namespace lumi
