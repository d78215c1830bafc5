#include "analysis/analysiserror.h"
#include "analysis/idealconicfit.h"
#include "analysis/idealconicmodel.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

namespace lumi {
namespace {

AnalysisSettings mirrorSettings(const std::string& diameter, const std::string& radius,
                                const std::string& conic, int highestTerm = 24) {
    AnalysisSettings s;
    s.analysisType = AnalysisType::Aspheric;
    s.surfaceDiameterMmText = diameter;
    s.curvatureRadiusMmText = radius;
    s.targetConicText = conic;
    s.highestTerm = highestTerm;
    return s;
}

// Third-order primary spherical of a conic at its centre of curvature, in waves of
// the Zernike term 8 (6 rho^4 - 6 rho^2 + 1): K D^4 / (384 lambda R^3), negative for
// a paraboloid in the OPD convention of IdealConicFit (longer path -> negative).
double thirdOrderTerm8(double conic, double diameterMm, double radiusMm, double wavelengthMm) {
    return conic * std::pow(diameterMm, 4) / (384.0 * wavelengthMm * std::pow(radiusMm, 3));
}

TEST(IdealConicFit, paraboloidShowsThirdOrderSpherical) {
    const ZernikeCoefficients c = computeIdealConic(mirrorSettings("200", "2000", "-1"));
    const double expected = thirdOrderTerm8(-1.0, 200.0, 2000.0, 632.8e-6);
    EXPECT_NEAR(expected, -0.823, 0.001);
    EXPECT_LT(c[8], 0.0);
    EXPECT_NEAR(c[8] / expected, 1.0, 0.01);
}

} // namespace
} // namespace lumi
