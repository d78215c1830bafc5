#include "analysis/wavefrontsampler.h"
#include "support/casename.h"

#include "analysis/analysiserror.h"
#include "analysis/zernike.h"
#include "support/analysisfixtures.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace lumi {
namespace {

using test::coefficientsOf;
using test::makeMeasurement;

TEST(SampleWavefront, NodeCoordinatesAreSinglePrecisionSteps) {
    // 2/3 is not exact in single precision: the node sits where the float lands.
    const float step = 2.0f / 3.0f;
    EXPECT_EQ(WavefrontGrid::nodeCoordinate(1, 3), static_cast<double>(step - 1.0f));
    EXPECT_NE(WavefrontGrid::nodeCoordinate(1, 3), 2.0 / 3.0 - 1.0);
    EXPECT_EQ(WavefrontGrid::nodeCoordinate(0, 32), -1.0);
    EXPECT_EQ(WavefrontGrid::nodeCoordinate(16, 32), 0.0);
    EXPECT_EQ(WavefrontGrid::nodeCoordinate(32, 32), 1.0);
}

// A flat wavefront is 0 on every pupil node: peak and valley 0, range 1e-9.
// Only an empty pupil keeps the sentinels.
TEST(SampleWavefront, ZeroWavefrontHasTinyRange) {
    Measurement m = makeMeasurement();
    m.results.grid = *sampleWavefrontGrid(m, 32);
    EXPECT_EQ(m.results.grid.range, 1e-9);
    EXPECT_EQ(m.results.grid.peak, 0.0);
    EXPECT_EQ(m.results.grid.valley, 0.0);
    EXPECT_TRUE(m.results.grid.inPupil(16, 16));
    EXPECT_FALSE(m.results.grid.inPupil(0, 0));

    m.store.obstruction = {test::kTestAperture.centerXPx, test::kTestAperture.centerYPx, 400.0};
    m.results.coefficients = coefficientsOf({{4, 0.25}});
    m.results.grid = *sampleWavefrontGrid(m, 32);
    EXPECT_EQ(m.results.grid.range, 1e-9);
    EXPECT_EQ(m.results.grid.peak, WavefrontGrid::kNoPeak);
    EXPECT_EQ(m.results.grid.valley, WavefrontGrid::kNoValley);
    EXPECT_FALSE(m.results.grid.inPupil(16, 16));
}

TEST(SampleWavefront, AstigmatismMatchesTheFormulaInsideAndZeroOutside) {
    Measurement m = makeMeasurement();
    m.results.coefficients = coefficientsOf({{0, 5.0}, {4, 0.25}});
    m.results.grid.at(129, 129) = 7.0; // stale value beyond N must be cleared
    m.results.grid = *sampleWavefrontGrid(m, 32);
    const WavefrontGrid& g = m.results.grid;
    EXPECT_EQ(g.gridCount, 32);
    for (int r = 0; r <= 32; ++r) {
        for (int c = 0; c <= 32; ++c) {
            const double x = WavefrontGrid::nodeCoordinate(c, 32);
            const double y = WavefrontGrid::nodeCoordinate(r, 32);
            const double expected = std::sqrt(x * x + y * y) > 1.0 ? 0.0 : 0.25 * (x * x - y * y);
            ASSERT_EQ(g.at(r, c), expected) << r << "," << c; // piston never sampled
        }
    }
    EXPECT_EQ(g.at(129, 129), 0.0);
    EXPECT_DOUBLE_EQ(g.peak, 0.25);    // (+-1, 0)
    EXPECT_DOUBLE_EQ(g.valley, -0.25); // (0, +-1)
    EXPECT_DOUBLE_EQ(g.range, 0.5);
}

struct SampleCase {
    const char* name;
    ZernikeCoefficients coefficients;
    int highestTerm;
    std::vector<RemovalGroup> removed;
    float ratio;
    double expectedRange;
};

class SampleRange : public ::testing::TestWithParam<SampleCase> {};

TEST_P(SampleRange, FollowsTermsRemovalAndRatio) {
    const auto& c = GetParam();
    Measurement m = makeMeasurement();
    m.settings.input.removalFlags.fill(false);
    for (RemovalGroup g : c.removed)
        m.settings.setRemoved(g, true);
    m.settings.highestTerm = c.highestTerm;
    m.settings.wavelengthRatio = c.ratio;
    m.results.coefficients = c.coefficients;
    m.results.grid = *sampleWavefrontGrid(m, 32);
    EXPECT_NEAR(m.results.grid.range, c.expectedRange, 1e-12) << c.name;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SampleRange,
    ::testing::Values(
        // Power 2r2-1: -1 at the centre, +1 on the edge nodes.
        SampleCase{"power", coefficientsOf({{3, 1.0}}), 24, {}, 1.0f, 2.0},
        SampleCase{
            "power removed", coefficientsOf({{3, 1.0}}), 24, {RemovalGroup::Power}, 1.0f, 1e-9},
        SampleCase{"tilt removed keeps astigmatism",
                   coefficientsOf({{1, 3.0}, {4, 0.5}}),
                   24,
                   {RemovalGroup::Tilt},
                   1.0f,
                   1.0},
        SampleCase{"term above highestTerm ignored",
                   coefficientsOf({{9, 1.0}, {8, 0.5}}),
                   8,
                   {},
                   1.0f,
                   0.75},
        SampleCase{"high-order spherical removed",
                   coefficientsOf({{15, 1.0}, {36, 1.0}}),
                   36,
                   {RemovalGroup::HighOrderSpherical},
                   1.0f,
                   1e-9},
        SampleCase{"ratio scales", coefficientsOf({{3, 1.0}}), 24, {}, 2.5f, 5.0}),
    lumi::test::ByName());

TEST(SampleWavefront, ObstructionNodesAreZero) {
    Measurement m = makeMeasurement();
    m.settings.input.removalFlags.fill(false);
    m.results.coefficients = coefficientsOf({{8, 1.0}});
    // Centred obstruction of half the aperture radius.
    m.store.obstruction = {320.0, 240.0, 100.0};
    m.results.grid = *sampleWavefrontGrid(m, 32);
    const WavefrontGrid& g = m.results.grid;
    for (int r = 0; r <= 32; ++r)
        for (int c = 0; c <= 32; ++c) {
            const double x = WavefrontGrid::nodeCoordinate(c, 32);
            const double y = WavefrontGrid::nodeCoordinate(r, 32);
            const double rho = std::sqrt(x * x + y * y);
            if (rho <= 0.5 || rho > 1.0)
                ASSERT_EQ(g.at(r, c), 0.0) << r << "," << c; // on the circle counts as inside
            else
                ASSERT_EQ(g.at(r, c), evaluateZernike(8, x, y)) << r << "," << c;
        }
}

TEST(SampleWavefront, AsphericCompensatesOnlyTermEight) {
    Measurement m = makeMeasurement();
    m.settings.input.removalFlags.fill(false);
    m.settings.input.analysisType = AnalysisType::Aspheric;
    m.results.coefficients = coefficientsOf({{8, 0.4}});
    m.results.idealConicCoefficients = coefficientsOf({{8, 0.4}, {15, 3.0}});
    m.results.grid = *sampleWavefrontGrid(m, 32);
    EXPECT_EQ(m.results.grid.range, 1e-9);

    m.results.coefficients[8] = 0.2; // half the ideal: -0.2 of spherical remains
    m.results.grid = *sampleWavefrontGrid(m, 32);
    EXPECT_DOUBLE_EQ(m.results.grid.at(16, 16), -0.2);

    m.settings.input.analysisType = AnalysisType::Standard; // no compensation
    m.results.grid = *sampleWavefrontGrid(m, 32);
    EXPECT_DOUBLE_EQ(m.results.grid.at(16, 16), 0.2);
}

TEST(SampleWavefront, ReportsProgressPerRow) {
    Measurement m = makeMeasurement();
    std::vector<int> seen;
    m.results.grid = *sampleWavefrontGrid(m, 4, [&](int p) { seen.push_back(p); });
    EXPECT_EQ(seen, (std::vector<int>{0, 24, 49, 74, 99}));
}

struct BadSampleCase {
    const char* name;
    int gridCount;
    double apertureRadius;
    double coefficient;
    AnalysisError::Kind kind;
};

class SampleRejects : public ::testing::TestWithParam<BadSampleCase> {};

TEST_P(SampleRejects, WithTypedError) {
    const auto& c = GetParam();
    Measurement m = makeMeasurement();
    m.store.aperture.radiusPx = c.apertureRadius;
    m.results.coefficients = coefficientsOf({{4, c.coefficient}, {8, c.coefficient}});
    try {
        m.results.grid = *sampleWavefrontGrid(m, c.gridCount);
        FAIL() << c.name;
    } catch (const AnalysisError& e) {
        EXPECT_EQ(e.kind(), c.kind) << c.name;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SampleRejects,
    ::testing::Values(
        BadSampleCase{"grid 0", 0, 200.0, 1.0, AnalysisError::Kind::InvalidSettings},
        BadSampleCase{"grid 130", 130, 200.0, 1.0, AnalysisError::Kind::InvalidSettings},
        BadSampleCase{"no aperture", 32, 0.0, 1.0, AnalysisError::Kind::InvalidGeometry},
        BadSampleCase{"overflow", 32, 200.0, 1e308, AnalysisError::Kind::NonFinite}),
    lumi::test::ByName());

TEST(SampleWavefront, LargestGridFitsTheStore) {
    Measurement m = makeMeasurement();
    m.results.coefficients = coefficientsOf({{8, 1.0}});
    m.results.grid = *sampleWavefrontGrid(m, 129);
    EXPECT_EQ(m.results.grid.at(129, 64), 0.0);  // y = 1, x slightly off 0: just outside
    EXPECT_NEAR(m.results.grid.peak, 1.0, 1e-3); // odd N: no node exactly at the centre
}

} // namespace
} // namespace lumi
