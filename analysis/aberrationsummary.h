#pragma once

#include "analysis/measurement.h"

namespace lumi {

// Orientation in degrees of an aberration from its y and x components:
// atan(y / x) / fold (fold 1 for tilt and coma, 2 for astigmatism); when x < 0
// a positive angle moves down and a negative one up by 180 / fold. So the
// result lies in (-180, 180] / fold like atan2(y, x) / fold. Where x is exactly
// 0 it is +-90 / fold by the sign of y (0 when y is 0 too); where y is 0 and
// x < 0 it is 180 / fold. decimals >= 0 rounds the result (halves to even).
double aberrationAngleDeg(double y, double x, int fold, int decimals = -1);

// The summary of the "Aberration" page: returns `results` with the grid sampled
// at settings.analysisGridSize (in the circles of `pupil`) and P-V, RMS, Strehl,
// tilt, defocus, astigmatism, coma and spherical (waves at the output wavelength)
// computed from its used coefficients; report/ formats them. Throws AnalysisError
// NonFinite on a NaN/Inf result, also when a value in nm (times the output
// wavelength) or the reciprocal of P-V or RMS is not finite.
AnalysisResults calcAberrations(const AnalysisSettings& settings, AnalysisResults results,
                                const FringeStore& pupil);

// calcAberrations of m's settings, results and circles.
AnalysisResults calcAberrations(const Measurement& m);

} // namespace lumi
