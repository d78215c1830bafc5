#include "analysis/zernikefit.h"
#include "support/casename.h"

#include "analysis/analysiserror.h"
#include "analysis/contourpointgenerator.h"
#include "analysis/zernike.h"
#include "analysis/zernikefile.h"
#include "support/analysisfixtures.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>

namespace lumi {
namespace {

using test::addPupilPoint;
using test::coefficientsOf;
using test::makeMeasurement;

// Points spread evenly over the pupil (golden-angle spiral), all on one fringe.
void addSpiral(Measurement& m, int fringe, int count, double maxRho = 0.98) {
    for (int i = 0; i < count; ++i) {
        const double rho = maxRho * std::sqrt((i + 0.5) / count);
        const double a = i * 2.399963229728653;
        addPupilPoint(m, fringe, rho * std::cos(a), rho * std::sin(a));
    }
}

struct RecoveryCase {
    const char* name;
    ZernikeCoefficients coefficients;
    float wavesPerFringe;
    int highestTerm;
};

class FitRecovers : public ::testing::TestWithParam<RecoveryCase> {};

TEST_P(FitRecovers, CoefficientsOfPointsOnKnownContours) {
    const auto& c = GetParam();
    Measurement m = makeMeasurement();
    m.settings.wavesPerFringe = c.wavesPerFringe;
    m.settings.highestTerm = c.highestTerm;
    const ContourGeneration gen =
        generateContourPoints(c.coefficients, c.wavesPerFringe, m.store.aperture, {}, m.store);
    ASSERT_GT(gen.pointCount, 37);
    test::keep(m, fitZernike(m));
    for (int t = 0; t <= c.highestTerm; ++t) {
        const auto ut = static_cast<std::size_t>(t);
        EXPECT_NEAR(m.results.fittedCoefficients[ut], gen.expectedCoefficients[ut], 1e-9)
            << c.name << " term " << t;
        EXPECT_EQ(m.results.coefficients[ut], m.results.fittedCoefficients[ut]);
    }
    EXPECT_LT(m.results.fitRmsError, 1e-9);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FitRecovers,
    ::testing::Values(
        RecoveryCase{"power and astigmatism", coefficientsOf({{3, 1.2}, {4, 0.4}, {1, 0.3}}), 0.5f,
                     8},
        RecoveryCase{"low order, single pass",
                     coefficientsOf({{1, 2.0}, {2, -1.0}, {3, 1.5}, {5, 0.3}, {6, 0.2}, {8, 0.25}}),
                     1.0f, 24},
        RecoveryCase{"37 terms",
                     coefficientsOf({{1, 1.0},
                                     {3, 2.0},
                                     {4, 0.3},
                                     {7, -0.2},
                                     {8, 0.4},
                                     {9, 0.1},
                                     {12, 0.05},
                                     {15, -0.1},
                                     {16, 0.05},
                                     {24, 0.03},
                                     {30, 0.02},
                                     {36, 0.01}}),
                     0.5f, 36}),
    lumi::test::ByName());

// One fringe of points: piston = its height (index x 0.5 waves), nothing else.
class SingleFringe : public ::testing::TestWithParam<int> {};

TEST_P(SingleFringe, GivesPistonAtItsHeight) {
    const int fringe = GetParam();
    Measurement m = makeMeasurement();
    m.settings.highestTerm = 8;
    addSpiral(m, fringe, 120);
    test::keep(m, fitZernike(m));
    EXPECT_NEAR(m.results.fittedCoefficients[0], 0.5 * fringe, 1e-12);
    for (std::size_t t = 1; t <= 8; ++t)
        EXPECT_NEAR(m.results.fittedCoefficients[t], 0.0, 1e-12) << t;
    EXPECT_NEAR(m.results.fitRmsError, 0.0, 1e-12);
}

INSTANTIATE_TEST_SUITE_P(Fringes, SingleFringe, ::testing::Values(0, 3, 4),
                         [](const auto& i) { return lumi::test::caseName("fringe", i.param); });

TEST(FringeSamples, OrderAndSinglePrecisionHeights) {
    Measurement m = makeMeasurement();
    addPupilPoint(m, 3, 0.5, 0.0);
    addPupilPoint(m, 0, 1.2, 0.0); // outside the pupil: still used
    addPupilPoint(m, 3, 0.0, -0.5);
    const auto s = fringeSamples(m.store, 0.1f);
    ASSERT_EQ(s.size(), 3u);
    EXPECT_DOUBLE_EQ(s[0].x, 1.2);
    EXPECT_EQ(s[0].valueWaves, 0.0);
    EXPECT_DOUBLE_EQ(s[1].x, 0.5);
    EXPECT_DOUBLE_EQ(s[2].y, -0.5);
    EXPECT_EQ(s[1].valueWaves, static_cast<double>(3.0f * 0.1f));
    EXPECT_NE(s[1].valueWaves, 0.3);
}

TEST(FitZernike, ReferenceLowersUsedCoefficientsAndResidualSeesIt) {
    Measurement m = makeMeasurement();
    m.settings.highestTerm = 8;
    generateContourPoints(coefficientsOf({{3, 1.0}, {4, 0.5}}), 0.5, m.store.aperture, {}, m.store);
    m.referenceFringes[3] = 0.1; // fringes
    test::keep(m, fitZernike(m));
    const auto& r = m.results;
    EXPECT_NEAR(r.fittedCoefficients[3], 1.0, 1e-9);
    EXPECT_EQ(r.coefficients[3], r.fittedCoefficients[3] - 0.5 * 0.1);
    EXPECT_EQ(r.coefficients[4], r.fittedCoefficients[4]);
    // Residual against the corrected coefficients: 0.05 x Z3 at every point.
    double squares = 0.0;
    const auto samples = fringeSamples(m.store, 0.5f);
    for (const auto& s : samples)
        squares += std::pow(0.05 * evaluateZernike(3, s.x, s.y), 2);
    EXPECT_NEAR(r.fitRmsError, std::sqrt(squares / static_cast<double>(samples.size())), 1e-9);
}

// A failed fit keeps the earlier coefficients whole: zeroed ones would be saved and
// plotted while the grid still shows the earlier fit.
TEST(FitZernike, SingularFitChangesNoCoefficient) {
    Measurement m = makeMeasurement();
    m.settings.highestTerm = 36;
    addSpiral(m, 0, 20); // 20 points cannot fix 37 terms
    m.results.coefficients.fill(7.0);
    m.results.fittedCoefficients.fill(3.0);
    m.results.fitRmsError = 0.123;
    try {
        test::keep(m, fitZernike(m));
        FAIL() << "no error";
    } catch (const AnalysisError& e) {
        EXPECT_EQ(e.kind(), AnalysisError::Kind::SingularFit);
        EXPECT_STREQ(e.what(), "The points do not determine 37 terms (for example all points on "
                               "rings): choose fewer terms or add points across the rings.");
    }
    for (std::size_t t = 0; t < kZernikeSlots; ++t) {
        EXPECT_EQ(m.results.coefficients[t], 7.0) << t;
        EXPECT_EQ(m.results.fittedCoefficients[t], 3.0) << t;
    }
    EXPECT_EQ(m.results.fitRmsError, 0.123);
}

// 25 terms, then 9: the saved file holds the 9 fitted terms and nothing of the
// first fit, so a reader counts them (one above the last, as for any file).
TEST(FitZernike, FewerTermsLeaveNothingOfAnEarlierFit) {
    Measurement m = makeMeasurement();
    generateContourPoints(coefficientsOf({{3, 1.5}, {4, 0.4}, {8, 0.2}, {12, 0.05}, {24, 0.03}}),
                          0.5, m.store.aperture, {}, m.store);
    m.settings.highestTerm = 24;
    test::keep(m, fitZernike(m));
    ASSERT_NE(m.results.coefficients[24], 0.0);
    m.settings.highestTerm = 8;
    test::keep(m, fitZernike(m));
    for (std::size_t t = 9; t < kZernikeSlots; ++t) {
        EXPECT_EQ(m.results.coefficients[t], 0.0) << t;
        EXPECT_EQ(m.results.fittedCoefficients[t], 0.0) << t;
    }
    const ZernikeFile saved =
        ZernikeFile::parse(ZernikeFile::toText(m.results.coefficients, m.settings.wavesPerFringe));
    EXPECT_EQ(saved.termCount, 9);
}

TEST(FitZernike, PointsWithoutApertureAreAGeometryError) {
    Measurement m = makeMeasurement();
    addSpiral(m, 1, 50);
    m.store.aperture = {};
    try {
        test::keep(m, fitZernike(m));
        FAIL() << "no error";
    } catch (const AnalysisError& e) {
        EXPECT_EQ(e.kind(), AnalysisError::Kind::InvalidGeometry);
    }
}

} // namespace
} // namespace lumi
