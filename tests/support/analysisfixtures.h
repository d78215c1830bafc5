#pragma once

#include "analysis/applyoutcome.h"
#include "analysis/measurement.h"

#include <initializer_list>
#include <utility>

namespace lumi::test {

// Aperture used by the analysis tests: centre (320, 240), radius 200 px.
inline constexpr ApertureCircle kTestAperture{320.0, 240.0, 200.0};

// A fresh measurement with the test aperture and default settings derived as
// APPLY would (ratio 1, 0.5 waves per fringe, terms 0..24, grid 32).
Measurement makeMeasurement();

// Coefficients from (term, waves) pairs, all others 0.
ZernikeCoefficients coefficientsOf(std::initializer_list<std::pair<int, double>> terms);

// Adds a point at normalised pupil position (x, y) to fringe f.
void addPupilPoint(Measurement& m, int fringe, double x, double y);

// The contour points of `truth` (0.5 waves per fringe) in `aperture` digitised with
// `scatterPx` of Gaussian scatter (seeded by `seed`, so every run is the same).
FringeStore digitisedContours(const ZernikeCoefficients& truth, double scatterPx,
                              const ApertureCircle& aperture = kTestAperture, unsigned seed = 3u);

// Keeps the outcome's settings and results in m, then throws its error (as the
// command line does), so a test can expect the fault and look at what stayed.
void keep(Measurement& m, const ApplyOutcome& outcome);

} // namespace lumi::test
