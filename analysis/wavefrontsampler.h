#pragma once

#include "analysis/analysisresults.h"
#include "analysis/analysissettings.h"
#include "analysis/measurement.h"
#include "fringe/fringestore.h"

#include <functional>
#include <memory>

namespace lumi {

// Called once per grid row with the progress in percent (99 * r / N).
using SampleProgress = std::function<void(int percent)>;

// Samples the used coefficients (terms 1..highestTerm not removed, piston never)
// on nodes 0..gridCount each way into a new grid, in waves at the output
// wavelength (times settings.wavelengthRatio). Nodes outside the unit circle or
// inside or on the obstruction circle (radius > 0) are outside the pupil and 0.
// In aspheric analysis term 8 is sampled as coefficients[8] -
// idealConicCoefficients[8]. Sets the pupil mask, peak, valley (over the nodes
// in the pupil) and range (1e-9 when peak - valley is 0 or the pupil is empty). gridCount 1..129,
// else AnalysisError InvalidSettings; a zero aperture radius of `pupil`'s aperture circle gives
// InvalidGeometry; a non-finite node gives NonFinite. Only the circles of `pupil` are read.
std::unique_ptr<WavefrontGrid> sampleWavefrontGrid(const AnalysisSettings& settings,
                                                   const AnalysisResults& results,
                                                   const FringeStore& pupil, int gridCount,
                                                   const SampleProgress& progress = {});

// sampleWavefrontGrid of m's settings, results and circles.
std::unique_ptr<WavefrontGrid> sampleWavefrontGrid(const Measurement& m, int gridCount,
                                                   const SampleProgress& progress = {});

} // namespace lumi
