#include "analysis/aberrationsummary.h"
#include "support/casename.h"

#include "analysis/analysiserror.h"
#include "support/analysisfixtures.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

namespace lumi {
namespace {

using test::coefficientsOf;
using test::makeMeasurement;

struct AngleCase {
    double y, x;
    int fold;
    int decimals;
    double expected;
};

class AberrationAngle : public ::testing::TestWithParam<AngleCase> {};

TEST_P(AberrationAngle, FollowsQuadrantRules) {
    const auto& c = GetParam();
    EXPECT_NEAR(aberrationAngleDeg(c.y, c.x, c.fold, c.decimals), c.expected, 1e-9)
        << "y " << c.y << " x " << c.x << " fold " << c.fold;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, AberrationAngle,
    ::testing::Values(AngleCase{1, 1, 1, 2, 45}, AngleCase{-1, -1, 1, 2, -135},
                      AngleCase{1, -1, 1, 2, 135}, AngleCase{-1, 1, 1, 2, -45},
                      AngleCase{0, 1, 1, 2, 0},
                      // x component exactly 0: atan2 direction.
                      AngleCase{2, 0, 1, 2, 90}, AngleCase{-2, 0, 1, 2, -90},
                      AngleCase{0, 0, 1, 2, 0}, AngleCase{1, 0, 2, -1, 45},
                      AngleCase{-1, 0, 2, -1, -45}, AngleCase{0, 0, 2, -1, 0},
                      // Along -x: 180 (and 90 for astigmatism), not 0.
                      AngleCase{0, -1, 1, 2, 180}, AngleCase{0, -1, 2, -1, 90},
                      // Astigmatism folds into (-90, 90].
                      AngleCase{1, 1, 2, -1, 22.5}, AngleCase{1, -1, 2, -1, 67.5},
                      AngleCase{-1, -1, 2, -1, -67.5},
                      // Rounding to 2 decimals, halves to even on the decimal value.
                      AngleCase{std::tan(30.0 * 3.14159265358979 / 180.0), 1, 1, 2, 30},
                      AngleCase{1, 3, 1, 2, 18.43}),
    [](const auto& i) {
        return lumi::test::caseName("y", i.param.y, "x", i.param.x, "fold", i.param.fold,
                                    "decimals", i.param.decimals);
    });

TEST(AberrationAngle, NeverNegativeZero) {
    EXPECT_FALSE(std::signbit(aberrationAngleDeg(-0.0, 1.0, 1, 2)));
    EXPECT_FALSE(std::signbit(aberrationAngleDeg(-1e-9, 1.0, 1, 2)));
}

TEST(CalcAberrations, LowOrderExampleGivesEveryValue) {
    Measurement m = makeMeasurement();
    m.results.coefficients = coefficientsOf({{1, 0.2}, {4, 0.1}, {6, 0.05}, {8, 0.1}});
    m.results = calcAberrations(m);
    const AnalysisResults& r = m.results;
    // Tilt without the coma's share: 0.2 - 2 x 0.05.
    EXPECT_DOUBLE_EQ(r.tilt.magnitude, 0.1);
    EXPECT_EQ(r.tilt.angleDeg, 0.0);
    EXPECT_DOUBLE_EQ(r.defocus, -0.5);
    EXPECT_DOUBLE_EQ(r.astigmatism.magnitude, 0.2);
    EXPECT_EQ(r.astigmatism.angleDeg, 0.0);
    EXPECT_DOUBLE_EQ(r.coma.magnitude, 0.15);
    EXPECT_DOUBLE_EQ(r.spherical, 0.6);
}

TEST(CalcAberrations, ZeroWavefrontGivesTinyPeakToValley) {
    Measurement m = makeMeasurement();
    m.results = calcAberrations(m);
    const AnalysisResults& r = m.results;
    EXPECT_EQ(r.peakToValley, 1e-9);
    EXPECT_EQ(r.rms, 1e-9);
    EXPECT_NEAR(r.strehl, 1.0, 1e-15);
}

TEST(CalcAberrations, PeakToValleyRmsAndStrehlOfPureAstigmatism) {
    Measurement m = makeMeasurement();
    m.results.coefficients = coefficientsOf({{4, 0.25}});
    m.results = calcAberrations(m);
    const AnalysisResults& r = m.results;
    EXPECT_DOUBLE_EQ(r.peakToValley, 0.5);
    // Continuous RMS of 0.25 rho^2 cos 2t is 0.25 / sqrt(6) = 0.102; the grid is close.
    EXPECT_NEAR(r.rms, 0.25 / std::sqrt(6.0), 0.005);
    EXPECT_NEAR(r.strehl, std::exp(-std::pow(2.0 * std::numbers::pi * r.rms, 2.0)), 1e-12);
}

// Nodes in the pupil where the wavefront is exactly 0 (the diagonals of pure
// astigmatism, the centre) are part of the pupil and count in the RMS.
TEST(CalcAberrations, ZeroNodesInsideThePupilCountInTheRms) {
    Measurement m = makeMeasurement();
    m.results.coefficients = coefficientsOf({{4, 0.25}, {6, 0.1}});
    m.results = calcAberrations(m);
    const int n = m.settings.analysisGridSize;
    double sum = 0.0, squares = 0.0;
    int count = 0, zeros = 0;
    for (int r = 0; r < n; ++r)
        for (int c = 0; c < n; ++c) {
            const double x = WavefrontGrid::nodeCoordinate(c, n);
            const double y = WavefrontGrid::nodeCoordinate(r, n);
            if (std::sqrt(x * x + y * y) > 1.0)
                continue;
            const double w = m.results.grid.at(r, c);
            EXPECT_TRUE(m.results.grid.inPupil(r, c)) << r << "," << c;
            zeros += w == 0.0 ? 1 : 0;
            sum += w;
            ++count;
        }
    ASSERT_GT(zeros, 0); // at least the centre
    const double mean = sum / count;
    for (int r = 0; r < n; ++r)
        for (int c = 0; c < n; ++c)
            if (m.results.grid.inPupil(r, c))
                squares += std::pow(m.results.grid.at(r, c) - mean, 2.0);
    EXPECT_NEAR(m.results.rms, std::sqrt(squares / count), 1e-15);
}

TEST(CalcAberrations, TiltPointingDownLeftIsMinus135) {
    Measurement m = makeMeasurement();
    m.results.coefficients = coefficientsOf({{1, -1.0}, {2, -1.0}});
    m.results = calcAberrations(m);
    EXPECT_EQ(m.results.tilt.angleDeg, -135.0);
    EXPECT_DOUBLE_EQ(m.results.tilt.magnitude, std::sqrt(2.0));
}

TEST(CalcAberrations, RemovedPowerAndSphericalAreStillComputed) {
    Measurement m = makeMeasurement();
    m.settings.input.removalFlags.fill(false);
    m.settings.setRemoved(RemovalGroup::Power, true);
    m.settings.setRemoved(RemovalGroup::LowOrderSpherical, true);
    m.results.coefficients = coefficientsOf({{3, 0.75}, {8, 0.25}, {5, 0.25}});
    m.results = calcAberrations(m);
    const AnalysisResults& r = m.results;
    // d+ = 1.5 - 1.5 + 0.25, d- = -0.25: equal magnitudes give d-.
    EXPECT_DOUBLE_EQ(r.defocus, -0.25);
    EXPECT_DOUBLE_EQ(r.spherical, 1.5);
    // P-V from the astigmatism 0.25 * 2xy only (+-0.25 near x = +-y = 0.707).
    EXPECT_LT(r.peakToValley, 0.5);
    EXPECT_GT(r.peakToValley, 0.45);
}

TEST(CalcAberrations, WavelengthRatioScalesEveryWaveValue) {
    Measurement ref = makeMeasurement();
    Measurement m = makeMeasurement();
    m.settings.wavelengthRatio = static_cast<float>(632.8 / 532.0);
    const auto c = coefficientsOf({{4, 0.1}, {6, 0.05}, {8, 0.1}, {11, 0.03}});
    ref.results.coefficients = m.results.coefficients = c;
    ref.results = calcAberrations(ref);
    m.results = calcAberrations(m);
    const double k = static_cast<double>(m.settings.wavelengthRatio);
    EXPECT_NEAR(k, 1.18947, 1e-5);
    EXPECT_NEAR(m.results.peakToValley, ref.results.peakToValley * k, 1e-12);
    EXPECT_NEAR(m.results.rms, ref.results.rms * k, 1e-12);
    EXPECT_NEAR(m.results.coma.magnitude, ref.results.coma.magnitude * k, 1e-12);
    EXPECT_NEAR(m.results.spherical, ref.results.spherical * k, 1e-12);
    EXPECT_NEAR(m.results.spherical, 0.714, 5e-4);
}

TEST(CalcAberrations, NegativeXComponentsPointTheOtherWay) {
    Measurement m = makeMeasurement();
    m.results.coefficients = coefficientsOf({{4, -0.1}, {6, -0.05}});
    m.results = calcAberrations(m);
    // c5 = 0 with c4 < 0 is the 90 degree axis (not -90), coma along -x is 180.
    EXPECT_EQ(m.results.astigmatism.angleDeg, 90.0);
    EXPECT_EQ(m.results.coma.angleDeg, 180.0);
}

TEST(CalcAberrations, NanometreValueBeyondRangeIsATypedError) {
    Measurement m = makeMeasurement();
    m.settings.input.removalFlags.fill(true);
    m.settings.input.outputWavelengthNm = 1e300;
    m.results.coefficients = coefficientsOf({{8, 1e10}});
    try {
        m.results = calcAberrations(m);
        FAIL() << "no error";
    } catch (const AnalysisError& e) {
        EXPECT_EQ(e.kind(), AnalysisError::Kind::NonFinite);
        EXPECT_STREQ(e.what(), "The nanometre value is not a finite number");
    }
}

TEST(CalcAberrations, NonFiniteResultIsATypedError) {
    Measurement m = makeMeasurement();
    m.settings.input.removalFlags.fill(true); // keep the grid finite: the fault is in a magnitude
    m.results.coefficients = coefficientsOf({{6, 1e308}, {7, 1e308}});
    m.results.strehl = 0.25; // of an earlier summary
    try {
        m.results = calcAberrations(m);
        FAIL() << "no error";
    } catch (const AnalysisError& e) {
        EXPECT_EQ(e.kind(), AnalysisError::Kind::NonFinite);
    }
    // No half-written summary: the Strehl ratio computed before the fault is not kept.
    EXPECT_EQ(m.results.strehl, 0.25);
}

} // namespace
} // namespace lumi
