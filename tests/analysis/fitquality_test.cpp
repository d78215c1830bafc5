#include "analysis/fitquality.h"
#include "support/casename.h"

#include "analysis/contourpointgenerator.h"
#include "analysis/zernikefit.h"
#include "support/analysisfixtures.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <random>

namespace lumi {
namespace {

using test::coefficientsOf;
using test::makeMeasurement;

// Contour points of `coefficients` (0.5 waves per fringe, test aperture), each
// moved by Gaussian digitising noise of `noisePx` pixels, kept where `keep` says.
Measurement digitised(const ZernikeCoefficients& coefficients, double noisePx,
                      const std::function<bool(double, double)>& keep = {}) {
    Measurement m = makeMeasurement();
    m.settings.highestTerm = 36;
    const ApertureCircle& ap = m.store.aperture;
    FringeStore exact;
    generateContourPoints(coefficients, 0.5, ap, {}, exact);
    std::mt19937 random(20261209);
    std::normal_distribution<double> unit(0.0, 1.0);
    for (int f = 0; f < FringeStore::kFringesInUse; ++f)
        for (int p = 1; p <= exact.pointCount(f); ++p) {
            const double x = exact.pointX(f, p);
            const double y = exact.pointY(f, p);
            if (!keep || keep((x - ap.centerXPx) / ap.radiusPx, (y - ap.centerYPx) / ap.radiusPx))
                m.store.addPoint(f, x + noisePx * unit(random), y + noisePx * unit(random));
        }
    return m;
}

std::vector<FitFinding> fitAndAssess(Measurement& m) {
    test::keep(m, fitZernike(m));
    return assessFitQuality(m.store, m.settings.wavesPerFringe, m.results.fittedCoefficients,
                            m.settings.highestTerm);
}

const ZernikeCoefficients kMixed =
    coefficientsOf({{1, 1.5}, {2, -0.8}, {3, 2.0}, {4, 0.6}, {6, -0.4}, {8, 0.5}, {15, 0.1}});

// Exact points (residuals at rounding level, fit error 0) and 1 px Gaussian scatter
// raise nothing; the stored samples' wavefronts are checked the same way in samplegen.
TEST(FitQuality, WellDigitisedPointsRaiseNoWarning) {
    for (const double noisePx : {0.0, 1.0}) {
        Measurement m = digitised(kMixed, noisePx);
        EXPECT_EQ(fitAndAssess(m), std::vector<FitFinding>{}) << noisePx;
    }
}

struct CoverageCase {
    const char* name;
    std::function<bool(double, double)> keep; // normalised pupil x, y (y down)
    FitFinding::Kind kind;
    double fromDeg, toDeg, outermostBelow;
    int highestTerm = 36;
};

class PoorlyCoveredPupil : public ::testing::TestWithParam<CoverageCase> {};

TEST_P(PoorlyCoveredPupil, NamesTheEmptyPart) {
    const CoverageCase& c = GetParam();
    Measurement m = digitised(kMixed, 0.0, c.keep);
    m.settings.highestTerm = c.highestTerm;
    // Half a pupil cannot determine 37 terms either: that finding may come first.
    std::vector<FitFinding> findings = fitAndAssess(m);
    std::erase_if(findings,
                  [](const FitFinding& f) { return f.kind == FitFinding::Kind::IllDetermined; });
    ASSERT_EQ(findings.size(), 1u);
    EXPECT_EQ(findings[0].kind, c.kind);
    EXPECT_EQ(findings[0].termCount, c.highestTerm + 1);
    EXPECT_EQ(findings[0].fromDeg, c.fromDeg);
    EXPECT_EQ(findings[0].toDeg, c.toDeg);
    if (c.kind == FitFinding::Kind::EmptyRim) {
        EXPECT_LT(findings[0].outermostRadius, c.outermostBelow);
        EXPECT_GT(findings[0].outermostRadius, c.outermostBelow - 0.1);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Data, PoorlyCoveredPupil,
    ::testing::Values(
        // Angles counterclockwise on the picture: the right half wraps through 0.
        CoverageCase{"left half only", [](double x, double) { return x < -0.01; },
                     FitFinding::Kind::EmptySector, 270.0, 450.0, 0.0},
        CoverageCase{"lower half only", [](double, double y) { return y > 0.01; },
                     FitFinding::Kind::EmptySector, 0.0, 180.0, 0.0},
        CoverageCase{"upper left quarter missing",
                     [](double x, double y) { return x > 0.01 || y > 0.01; },
                     FitFinding::Kind::EmptySector, 90.0, 180.0, 0.0},
        CoverageCase{"centre only", [](double x, double y) { return std::hypot(x, y) < 0.6; },
                     FitFinding::Kind::EmptyRim, 0.0, 0.0, 0.6, 8}),
    test::ByName{});

TEST(FitQuality, FewTermsNeedNoCoverage) {
    Measurement m = digitised(kMixed, 0.0, [](double x, double) { return x < -0.01; });
    m.settings.highestTerm = 2;
    EXPECT_EQ(fitAndAssess(m), std::vector<FitFinding>{});
}

// A point placed on its neighbour fringe's line (one fringe spacing away) is
// named, with its image position and a residual near one fringe step.
TEST(FitQuality, PointOneFringeAwayIsAnOutlier) {
    for (const double noisePx : {0.0, 1.0}) {
        Measurement m = digitised(kMixed, noisePx);
        ASSERT_GE(m.store.pointCount(6), 12);
        const double x = m.store.pointX(6, 10);
        const double y = m.store.pointY(6, 10);
        m.store.setPoint(5, 12, x, y);
        const std::vector<FitFinding> findings = fitAndAssess(m);
        ASSERT_EQ(findings.size(), 1u) << noisePx;
        const FitFinding& f = findings[0];
        EXPECT_EQ(f.kind, FitFinding::Kind::Outlier);
        EXPECT_EQ(f.fringeNumber, 6);
        EXPECT_EQ(f.pointNumber, 12);
        EXPECT_EQ(f.xPx, x);
        EXPECT_EQ(f.yPx, y);
        EXPECT_NEAR(f.residualWaves, -0.5, 0.1); // measured lower than the surface there
        EXPECT_GT(std::fabs(f.residualWaves), 5.0 * f.fitRmsWaves);
    }
}

TEST(FitQuality, ReportsTheFiveWorstOutliersFirst) {
    Measurement m = digitised(kMixed, 0.0);
    for (int p = 1; p <= 7; ++p) // fringe 3 read as fringe 4 on its first 7 points
        m.store.setPoint(4, 2 * p, m.store.pointX(3, 2 * p), m.store.pointY(3, 2 * p));
    const std::vector<FitFinding> findings = fitAndAssess(m);
    ASSERT_EQ(findings.size(), 5u);
    for (std::size_t i = 1; i < findings.size(); ++i)
        EXPECT_GE(std::fabs(findings[i - 1].residualWaves), std::fabs(findings[i].residualWaves));
}

TEST(FitQuality, NothingToJudgeGivesNothing) {
    Measurement m = makeMeasurement();
    EXPECT_TRUE(assessFitQuality(m.store, 0.5f, {}, 36).empty());
    m.store.addPoint(0, 10.0, 10.0);
    m.store.aperture.radiusPx = 0.0;
    EXPECT_TRUE(assessFitQuality(m.store, 0.5f, {}, 36).empty());
    m = makeMeasurement();
    m.store.addPoint(0, 400.0, 240.0);
    ZernikeCoefficients huge{};
    huge[36] = std::numeric_limits<double>::infinity(); // a non-finite fit is not judged
    for (const FitFinding& f : assessFitQuality(m.store, 0.5f, huge, 36))
        EXPECT_NE(f.kind, FitFinding::Kind::Outlier);
}

} // namespace
} // namespace lumi
