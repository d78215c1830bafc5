#pragma once

#include "analysis/measurement.h"

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
// else AnalysisError InvalidSettings; a zero aperture radius gives InvalidGeometry; a non-finite
// node gives NonFinite.
std::unique_ptr<WavefrontGrid> sampleWavefrontGrid(const Measurement& m, int gridCount,
                                                   const SampleProgress& progress = {});

// sampleWavefrontGrid into m.results.grid, which the wavefront plots show; on
// an error the grid stays as it was.
void sampleWavefront(Measurement& m, int gridCount, const SampleProgress& progress = {});

} // namespace lumi
