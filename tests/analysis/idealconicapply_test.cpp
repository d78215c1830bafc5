#include "analysis/analysiserror.h"
#include "analysis/applycommand.h"
#include "analysis/contourpointgenerator.h"
#include "analysis/idealconicapply.h"
#include "analysis/idealconicfit.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

namespace lumi {
namespace {

AnalysisSettings paraboloidSettings(double conic = -1.0) {
    AnalysisSettings s;
    s.input.analysisType = AnalysisType::Aspheric;
    s.input.surfaceDiameterMm = 200.0;
    s.input.curvatureRadiusMm = 2000.0;
    s.input.targetConic = conic;
    return s;
}

// A measurement whose fringes lie exactly on the contours of tilt + focus + the given
// primary spherical (waves), ready for an aspheric APPLY.
Measurement measuredMirror(double sphericalWaves, double conic = -1.0) {
    Measurement m;
    m.settings = paraboloidSettings(conic);
    ZernikeCoefficients c{};
    c[1] = 2.0;
    c[3] = 0.6;
    c[8] = sphericalWaves;
    const ApertureCircle aperture{320.0, 240.0, 200.0};
    generateContourPoints(c, 0.5, aperture, ApertureCircle{}, m.store);
    return m;
}

double idealTermEight(double conic) {
    AnalysisSettings s = paraboloidSettings(conic);
    s.highestTerm = 24;
    return computeIdealConic(s)[8];
}

struct BestFitCase {
    const char* name;
    double target;
    double radiusMm;
    double measuredOverIdeal;
    float expectedConic;
};

class AsphericApplyEndToEnd : public ::testing::TestWithParam<BestFitCase> {};

TEST_P(AsphericApplyEndToEnd, estimatesTheBestFitConic) {
    const BestFitCase& p = GetParam();
    const double ideal8 = idealTermEight(p.target);
    Measurement m = measuredMirror(p.measuredOverIdeal * ideal8, p.target);
    m.settings.input.curvatureRadiusMm = p.radiusMm;
    const AnalysisResults r = runApply(m, idealConicFor(m.settings)).results;
    ASSERT_TRUE(r.analysisDone);
    EXPECT_DOUBLE_EQ(r.idealConicCoefficients[8], ideal8);
    EXPECT_NEAR(r.bestFitConic, p.expectedConic, std::fabs(p.expectedConic) * 1e-6);
}

INSTANTIATE_TEST_SUITE_P(Cases, AsphericApplyEndToEnd,
                         ::testing::Values(BestFitCase{"matchesTarget", -1, 2000, 1.0, -1.0f},
                                           BestFitCase{"radiusTypedNegative", -1, -2000, 1.0,
                                                       -1.0f},
                                           BestFitCase{"halfTheIdeal", -1, 2000, 0.5, -0.5f},
                                           BestFitCase{"sphereTarget", 0, 2000, 1.0, 0.00001f}),
                         [](const auto& param) { return std::string(param.param.name); });

TEST(AsphericApplyEndToEnd, matchingSurfaceLeavesNoTermEightInTheGrid) {
    const Measurement m = measuredMirror(idealTermEight(-1.0));
    const AnalysisResults r = runApply(m, idealConicFor(m.settings)).results;
    // Tilt and power are removed by default and term 8 is compensated: nothing left.
    EXPECT_LT(std::fabs(r.grid.peak), 1e-6);
    EXPECT_LT(std::fabs(r.grid.valley), 1e-6);
    // The summary still shows the uncompensated spherical, 6 c8.
    EXPECT_NEAR(r.spherical, 6.0 * idealTermEight(-1.0), 1e-6);
}

TEST(AsphericApplyEndToEnd, missingMirrorDataEndTheCommandAndKeepThePreviousIdeal) {
    Measurement m = measuredMirror(-0.4);
    m.results = runApply(m, idealConicFor(m.settings)).results;
    const ZernikeCoefficients previous = m.results.idealConicCoefficients;
    ASSERT_NE(previous[8], 0.0);
    for (const char* field : {"diameter", "radius"}) {
        Measurement again = m;
        again.results.analysisDone = false;
        (std::string(field) == "diameter" ? again.settings.input.surfaceDiameterMm
                                          : again.settings.input.curvatureRadiusMm) = 0.0;
        const ApplyOutcome out = runApply(again, idealConicFor(again.settings));
        ASSERT_TRUE(out.error) << "no error for a zero " << field;
        EXPECT_EQ(out.error->kind(), AnalysisError::Kind::InvalidGeometry);
        EXPECT_NE(std::string(out.error->what()).find(field), std::string::npos)
            << out.error->what();
        EXPECT_EQ(out.results.idealConicCoefficients, previous);
        EXPECT_FALSE(out.results.analysisDone);
    }
}

TEST(AsphericApplyEndToEnd, idealConicReportsProgress) {
    const Measurement m = measuredMirror(-0.4);
    int last = -1;
    EXPECT_TRUE(
        idealConicFor(m.settings, std::nullopt, [&](int percent) { last = percent; }).coefficients);
    EXPECT_EQ(last, 100);
}

// An average fits fewer terms than APPLY: its ideal conic is of those terms.
TEST(AsphericApplyEndToEnd, idealConicOfAnAverageHasItsTermCount) {
    const Measurement m = measuredMirror(-0.4);
    const IdealConic nine = idealConicFor(m.settings, 8);
    ASSERT_TRUE(nine.coefficients);
    EXPECT_EQ((*nine.coefficients)[9], 0.0);
    EXPECT_NE((*idealConicFor(m.settings).coefficients)[12], 0.0);
}

} // namespace
} // namespace lumi
