#pragma once

#include "analysis/measurement.h"

#include <functional>

namespace lumi {

// Called once per grid row with the progress in percent (99 * r / N).
using SampleProgress = std::function<void(int percent)>;

// Samples the used coefficients (terms 1..highestTerm not removed, piston never)
// on nodes 0..gridCount each way into m.results.grid, in waves at the output
// wavelength (times settings.wavelengthRatio). Nodes outside the unit circle or
// inside or on the obstruction circle are 0. In aspheric analysis term 8 is
// sampled as coefficients[8] - idealConicCoefficients[8]. Sets peak, valley
// (over nonzero nodes) and range (1e-9 when peak - valley is 0 or nothing is
// nonzero). gridCount 1..129, else AnalysisError InvalidSettings; a zero
// aperture radius gives InvalidGeometry; a non-finite node gives NonFinite.
void sampleWavefront(Measurement& m, int gridCount, const SampleProgress& progress = {});

} // namespace lumi
