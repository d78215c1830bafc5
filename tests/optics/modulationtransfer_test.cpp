#include "optics/modulationtransfer.h"
#include "support/casename.h"

#include "analysis/analysiserror.h"
#include "opticstestgrid.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>

namespace lumi {
namespace {

using testing::makeGrid;
using testing::makeZernikeGrid;
using Workspace = testing::OpticsWorkspace;

class PerfectPupilMtf : public ::testing::TestWithParam<int> {};

TEST_P(PerfectPupilMtf, FollowsTheDiffractionLimitedCurve) {
    const int n = GetParam();
    Workspace ws;
    const auto grid = makeZernikeGrid(n, {}, {});
    const auto mtf = ws.mtf(*grid);
    ASSERT_EQ(mtf.tangential.size(), static_cast<std::size_t>(n) + 1);
    ASSERT_EQ(mtf.sagittal.size(), static_cast<std::size_t>(n) + 1);
    EXPECT_EQ(mtf.tangential[0], 1.0);
    EXPECT_EQ(mtf.sagittal[0], 1.0);
    // The sampled pupil's edge is a staircase: the finest grid meets the
    // continuous curve within 1e-3, coarser ones within their edge error.
    const double tolerance = n >= 128 ? 1e-3 : n >= 64 ? 3e-3 : 7e-3;
    for (int k = 0; k <= n; ++k) {
        const double ideal = diffractionLimitedMtf(static_cast<double>(k) / n);
        EXPECT_NEAR(mtf.tangential[static_cast<std::size_t>(k)], ideal, tolerance) << "k " << k;
        EXPECT_NEAR(mtf.sagittal[static_cast<std::size_t>(k)], ideal, tolerance) << "k " << k;
    }
}

INSTANTIATE_TEST_SUITE_P(GridCounts, PerfectPupilMtf, ::testing::Values(32, 64, 128),
                         [](const auto& i) { return lumi::test::caseName("grid", i.param); });

// A tilt only shifts the PSF: the modulus of the transfer function stays, with
// or without other aberrations beside it.
struct TiltCase {
    const char* name;
    double aberrationWaves; // of term 4 (astigmatism) beside the tilt
    double tiltX;           // waves of term 1
    double tiltY;           // waves of term 2
};

class TiltedMtf : public ::testing::TestWithParam<TiltCase> {};

TEST_P(TiltedMtf, EqualsTheUntiltedMtf) {
    const auto& tc = GetParam();
    Workspace ws;
    const int n = 64;
    const auto plain = ws.mtf(*makeZernikeGrid(n, {}, {{4, tc.aberrationWaves}}));
    const auto tilted =
        ws.mtf(*makeZernikeGrid(n, {}, {{4, tc.aberrationWaves}, {1, tc.tiltX}, {2, tc.tiltY}}));
    for (std::size_t k = 0; k <= static_cast<std::size_t>(n); ++k) {
        EXPECT_NEAR(tilted.tangential[k], plain.tangential[k], 1e-6) << tc.name << " k " << k;
        EXPECT_NEAR(tilted.sagittal[k], plain.sagittal[k], 1e-6) << tc.name << " k " << k;
    }
}

INSTANTIATE_TEST_SUITE_P(Wavefronts, TiltedMtf,
                         ::testing::Values(TiltCase{"quarter_wave_in_x", 0.0, 0.25, 0.0},
                                           TiltCase{"three_waves_diagonal", 0.0, 3.0, -3.0},
                                           TiltCase{"with_astigmatism", 0.3, 1.7, 0.6}),
                         lumi::test::ByName());

// The tangential cut runs along the first index (rows, pupil y), the sagittal
// cut along the second (columns, x): a cylinder in y only blurs the first.
TEST(Mtf, TangentialCutFollowsThePupilRows) {
    Workspace ws;
    const int n = 64;
    const auto perfect = ws.mtf(*makeZernikeGrid(n, {}, {}));
    const auto cylinderY =
        ws.mtf(*makeGrid(n, PupilGeometry{}, [](double, double y) { return 0.4 * y * y; }));
    const auto cylinderX =
        ws.mtf(*makeGrid(n, PupilGeometry{}, [](double x, double) { return 0.4 * x * x; }));
    const auto mid = static_cast<std::size_t>(n / 4);
    EXPECT_LT(cylinderY.tangential[mid], perfect.tangential[mid] - 0.1);
    EXPECT_NEAR(cylinderY.sagittal[mid], perfect.sagittal[mid], 0.02);
    EXPECT_LT(cylinderX.sagittal[mid], perfect.sagittal[mid] - 0.1);
    EXPECT_NEAR(cylinderX.tangential[mid], perfect.tangential[mid], 0.02);
}

TEST(Mtf, DefocusLowersTheCurveButNotItsStart) {
    Workspace ws;
    const auto perfect = ws.mtf(*makeZernikeGrid(64, {}, {}));
    const auto defocus = ws.mtf(*makeZernikeGrid(64, {}, {{3, 0.25}}));
    EXPECT_EQ(defocus.tangential[0], 1.0);
    EXPECT_EQ(defocus.sagittal[0], 1.0);
    for (std::size_t k = 8; k <= 48; k += 8) {
        EXPECT_LT(defocus.tangential[k], perfect.tangential[k]) << k;
        EXPECT_LT(defocus.sagittal[k], perfect.sagittal[k]) << k;
    }
}

// A wavefront that is exactly 0 everywhere is a perfect pupil, not an empty one.
TEST(Mtf, ZeroWavefrontIsAPerfectPupil) {
    Workspace ws;
    const auto grid = makeZernikeGrid(32, {}, {}); // every pupil node exactly 0
    const auto mtf = ws.mtf(*grid);
    EXPECT_GT(mtf.pupilSampleCount, 700);
    EXPECT_EQ(mtf.tangential[0], 1.0);
    EXPECT_NEAR(mtf.tangential[16], diffractionLimitedMtf(0.5), 0.04);
}

TEST(Mtf, AstigmatismKeepsThePupilSupport) {
    const int n = 64;
    auto a = std::make_unique<ComplexField>();
    auto b = std::make_unique<ComplexField>();
    const int openPerfect = fillMtfPupil(*makeZernikeGrid(n, {}, {}), *a);
    const int openAstig = fillMtfPupil(*makeZernikeGrid(n, {}, {{4, 0.3}}), *b);
    EXPECT_EQ(openPerfect, openAstig);
    EXPECT_EQ(testing::supportOf(*a, 2 * n), testing::supportOf(*b, 2 * n));
    // Central half of the field, same orientation as the grid.
    for (int r = 0; r < 2 * n; ++r) {
        for (int c = 0; c < 2 * n; ++c) {
            if (a->real(r, c) != 0.0 || a->imag(r, c) != 0.0) {
                ASSERT_TRUE(r >= n / 2 && r < n / 2 + n && c >= n / 2 && c < n / 2 + n);
            }
        }
    }
}

struct MtfFailureCase {
    const char* name;
    int gridCount;
    double obstructionRadius;
    AnalysisError::Kind kind;
};

class MtfFailures : public ::testing::TestWithParam<MtfFailureCase> {};

TEST_P(MtfFailures, EndInATypedError) {
    const auto& tc = GetParam();
    Workspace ws;
    PupilGeometry pupil;
    pupil.obstructionRadius = tc.obstructionRadius;
    auto grid =
        makeZernikeGrid(std::clamp(tc.gridCount, 1, WavefrontGrid::kMaxGridCount), pupil, {});
    grid->gridCount = tc.gridCount;
    try {
        (void)ws.mtf(*grid);
        FAIL() << tc.name << ": no error";
    } catch (const AnalysisError& e) {
        EXPECT_EQ(e.kind(), tc.kind) << tc.name;
    }
}

INSTANTIATE_TEST_SUITE_P(Inputs, MtfFailures,
                         ::testing::Values(MtfFailureCase{"never sampled", 0, 0.0,
                                                          AnalysisError::Kind::InvalidGeometry},
                                           MtfFailureCase{"2N not a power of two", 33, 0.0,
                                                          AnalysisError::Kind::InvalidGeometry},
                                           MtfFailureCase{"obstruction covers all", 32, 1.2,
                                                          AnalysisError::Kind::InvalidGeometry}),
                         lumi::test::ByName());

struct CutoffCase {
    float wavelengthNm;
    float apertureRatio;
    double expected;
};

class CutoffFrequency : public ::testing::TestWithParam<CutoffCase> {};

TEST_P(CutoffFrequency, LinesPerMillimetre) {
    const auto& tc = GetParam();
    EXPECT_NEAR(mtfCutoffFrequency(tc.wavelengthNm, tc.apertureRatio), tc.expected,
                1e-5 * tc.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Inputs, CutoffFrequency,
    ::testing::Values(CutoffCase{632.8f, 4.0f, 395.0695}, CutoffCase{632.8f, 0.0f, 1.0},
                      CutoffCase{0.0f, 0.0f, 1.0}, CutoffCase{500.0f, 10.0f, 200.0}),
    [](const auto& i) {
        return lumi::test::caseName("nm", i.param.wavelengthNm, "f", i.param.apertureRatio);
    });

TEST(CutoffFrequency, ZeroProductIsAnError) {
    // A zero wavelength, or a ratio so small that the product underflows.
    EXPECT_THROW(mtfCutoffFrequency(0.0f, 4.0f), AnalysisError);
    EXPECT_THROW(mtfCutoffFrequency(632.8f, 1e-44f), AnalysisError);
}

TEST(DiffractionLimitedMtf, KnownValues) {
    EXPECT_NEAR(diffractionLimitedMtf(0.0), 1.0, 1e-12);
    EXPECT_NEAR(diffractionLimitedMtf(0.5), 0.3910022189, 1e-9);
    EXPECT_NEAR(diffractionLimitedMtf(1.0), 0.0, 1e-10);
    EXPECT_TRUE(std::isfinite(diffractionLimitedMtf(1.0)));
}

struct IdealCurveCase {
    double cutoff;
    std::size_t vertices; // including the start at (0, 1)
};

class IdealCurve : public ::testing::TestWithParam<IdealCurveCase> {};

TEST_P(IdealCurve, VertexCountAndSpan) {
    const auto& tc = GetParam();
    const int n = 64;
    const auto points = idealMtfCurve(tc.cutoff, n);
    ASSERT_EQ(points.size(), tc.vertices);
    if (points.empty()) {
        return;
    }
    EXPECT_EQ(points.front().x, 0.0);
    EXPECT_EQ(points.front().y, 1.0);
    for (std::size_t i = 1; i < points.size(); ++i) {
        EXPECT_GE(points[i].x, points[i - 1].x);
        EXPECT_LE(points[i].x, n + 1e-9);
        EXPECT_LE(points[i].y, points[i - 1].y + 1e-12);
    }
}

INSTANTIATE_TEST_SUITE_P(Cutoffs, IdealCurve,
                         ::testing::Values(IdealCurveCase{1.0, 102},    // normalised: k = 0..100
                                           IdealCurveCase{395.07, 397}, // k = 0..395
                                           IdealCurveCase{0.5, 0},      // nu_c < 1: none
                                           IdealCurveCase{-3.0, 0}, IdealCurveCase{1.5e9, 4098}),
                         [](const auto& i) {
                             return lumi::test::caseName("cutoff", i.param.cutoff);
                         }); // bounded

// The readout can be asked before the first "Update MTF".
TEST(Mtf, ReadoutBeforeAnyComputationIsZeroNotInfinite) {
    EXPECT_EQ(ModulationTransfer{}.frequencyAt(10.0), 0.0);
}

} // namespace
} // namespace lumi
