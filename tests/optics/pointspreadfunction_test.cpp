#include "optics/pointspreadfunction.h"
#include "support/casename.h"

#include "analysis/analysiserror.h"
#include "optics/psfoptions.h"
#include "opticstestgrid.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <numbers>

namespace lumi {
namespace {

using testing::makeGrid;
using testing::makeZernikeGrid;
using Workspace = testing::OpticsWorkspace;

constexpr int kCentre = PointSpreadFunction::kCentre;

PupilGeometry obstructed(double radius) {
    PupilGeometry p;
    p.obstructionRadius = radius;
    return p;
}

// Radius of the first dark ring of an unobstructed pupil, in PSF pixels: the
// pupil spans N samples of the 256-point transform, the ring lies at
// 1.21967 lambda/D, and one pixel is N/256 lambda/D.
double airyFirstZeroPx(int n) {
    return 1.2196699 * PointSpreadFunction::kTransformSize / n;
}

// Position of the first minimum walking out from the centre along a direction,
// refined by a parabola through the three pixels around it.
double firstMinimumPx(const PointSpreadFunction& psf, int dRow, int dCol) {
    auto value = [&](int i) { return psf.amplitudeAt(kCentre + i * dRow, kCentre + i * dCol); };
    for (int i = 1; i < kCentre - 1; ++i) {
        if (value(i) <= value(i - 1) && value(i) < value(i + 1)) {
            const double a = value(i - 1), b = value(i), c = value(i + 1);
            return i + 0.5 * (a - c) / (a - 2 * b + c);
        }
    }
    return -1.0;
}

class PerfectPupil : public ::testing::TestWithParam<PsfGridSize> {};

TEST_P(PerfectPupil, AmplitudeFollowsTheAiryPattern) {
    const int n = psfPupilSampleCount(GetParam());
    Workspace ws;
    const auto grid = makeZernikeGrid(n, {}, {});
    const auto psf = ws.psf(*grid);
    // |2 J1(v) / v|, v = pi * (pixels * N / 256) lambda/D, out to the third ring.
    for (int i = 1; 256.0 * 3.3 / n > i; ++i) {
        const double v = std::numbers::pi * i * n / PointSpreadFunction::kTransformSize;
        const double airy = std::abs(2.0 * std::cyl_bessel_j(1.0, v) / v);
        EXPECT_NEAR(psf.amplitudeAt(kCentre, kCentre + i) / psf.peak, airy, 0.02) << "px " << i;
        EXPECT_NEAR(psf.amplitudeAt(kCentre - i, kCentre) / psf.peak, airy, 0.02) << "px " << i;
    }
}

// The dark ring can be located where a pixel is well below lambda/D (N = 32, 64;
// with N = 128 a pixel is lambda/(2D) and the ring falls between two pixels).
class AiryRing : public ::testing::TestWithParam<PsfGridSize> {};

TEST_P(AiryRing, WhereTheSamplingPutsIt) {
    const int n = psfPupilSampleCount(GetParam());
    Workspace ws;
    const auto grid = makeZernikeGrid(n, {}, {});
    const auto psf = ws.psf(*grid);
    const double expected = airyFirstZeroPx(n);
    EXPECT_NEAR(firstMinimumPx(psf, 0, 1), expected, 0.5) << "along the row, N " << n;
    EXPECT_NEAR(firstMinimumPx(psf, 1, 0), expected, 0.5) << "along the column, N " << n;
    EXPECT_NEAR(firstMinimumPx(psf, 0, -1), expected, 0.5) << "to the left, N " << n;
}

INSTANTIATE_TEST_SUITE_P(FineSampling, AiryRing,
                         ::testing::Values(PsfGridSize::Grid64, PsfGridSize::Grid128),
                         [](const auto& i) {
                             return lumi::test::caseName("samples", psfPupilSampleCount(i.param));
                         });

TEST_P(PerfectPupil, PeakAtCentreWithStrehlOne) {
    const int n = psfPupilSampleCount(GetParam());
    Workspace ws;
    const auto grid = makeZernikeGrid(n, {}, {});
    const auto psf = ws.psf(*grid);
    EXPECT_GT(psf.pupilSampleCount, 0);
    EXPECT_NEAR(psf.amplitudeAt(kCentre, kCentre), psf.peak, 1e-9 * psf.peak);
    EXPECT_NEAR(psf.peak, psf.pupilSampleCount, 1e-9 * psf.peak);
    EXPECT_NEAR(psf.strehlPsf, 1.0, 1e-12);
    EXPECT_GT(psf.range, 0.5 * psf.peak);
}

TEST_P(PerfectPupil, SymmetricThroughTheCentreAndTheDiagonal) {
    const int n = psfPupilSampleCount(GetParam());
    Workspace ws;
    const auto grid = makeZernikeGrid(n, {}, {});
    const auto psf = ws.psf(*grid);
    const double tol = 1e-9 * psf.peak;
    for (int dr = -40; dr <= 40; dr += 3) {
        for (int dc = -40; dc <= 40; dc += 7) {
            const double a = psf.amplitudeAt(kCentre + dr, kCentre + dc);
            EXPECT_NEAR(a, psf.amplitudeAt(kCentre - dr, kCentre - dc), tol) << dr << "," << dc;
            EXPECT_NEAR(a, psf.amplitudeAt(kCentre + dc, kCentre + dr), tol) << dr << "," << dc;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(GridSizes, PerfectPupil,
                         ::testing::Values(PsfGridSize::Grid64, PsfGridSize::Grid128,
                                           PsfGridSize::Grid256),
                         [](const auto& i) {
                             return lumi::test::caseName("samples", psfPupilSampleCount(i.param));
                         });

// The pupil occupies field indices C..C+N-1 in both directions, C = (S - N) / 2.
struct PlacementCase {
    int n;
    int transformSize;
    int first;
    int last;
};

class PupilPlacement : public ::testing::TestWithParam<PlacementCase> {};

TEST_P(PupilPlacement, OccupiesTheCentralIndices) {
    const auto& tc = GetParam();
    auto field = std::make_unique<ComplexField>();
    const auto grid = makeZernikeGrid(tc.n, {}, {});
    // Something left over from a larger transform must be cleared.
    field->real(tc.transformSize - 1, 0) = 1.0;
    fillPsfPupil(*grid, *field, tc.transformSize);
    int lo = 1000, hi = -1;
    for (int r = 0; r < tc.transformSize; ++r) {
        for (int c = 0; c < tc.transformSize; ++c) {
            if (field->real(r, c) != 0.0 || field->imag(r, c) != 0.0) {
                lo = std::min({lo, r, c});
                hi = std::max({hi, r, c});
            }
        }
    }
    EXPECT_EQ(lo, tc.first);
    EXPECT_EQ(hi, tc.last);
}

INSTANTIATE_TEST_SUITE_P(
    GridSizes, PupilPlacement,
    ::testing::Values(PlacementCase{32, 256, 112, 143}, PlacementCase{64, 256, 96, 159},
                      PlacementCase{128, 256, 64, 191},
                      // The graphical report's 128-point transform.
                      PlacementCase{32, 128, 48, 79}, PlacementCase{128, 128, 0, 127}),
    [](const auto& i) {
        return lumi::test::caseName("n", i.param.n, "in", i.param.transformSize);
    });

// A wavefront value of exactly 0 inside the pupil is light, not a hole.
TEST(PsfPupil, ZerosOfTheWavefrontStillPassLight) {
    const int n = 64;
    const auto perfect = makeZernikeGrid(n, {}, {});
    const auto astigmatism = makeZernikeGrid(n, {}, {{4, 0.25}}); // x^2 - y^2
    // The test means something only if the diagonals really hold zeros.
    int zerosInside = 0;
    for (int r = 0; r < n; ++r) {
        const double y = WavefrontGrid::nodeCoordinate(r, n);
        const double x = WavefrontGrid::nodeCoordinate(r, n);
        if (x * x + y * y <= 1.0 && astigmatism->at(r, r) == 0.0) {
            ++zerosInside;
        }
    }
    ASSERT_GT(zerosInside, 10);

    auto a = std::make_unique<ComplexField>();
    auto b = std::make_unique<ComplexField>();
    const int openPerfect = fillPsfPupil(*perfect, *a);
    const int openAstig = fillPsfPupil(*astigmatism, *b);
    EXPECT_EQ(openPerfect, openAstig);
    EXPECT_EQ(testing::supportOf(*a, 256), testing::supportOf(*b, 256));
}

// Sign convention of the header: the peak moves against the rise of the
// wavefront by 512 a / N pixels (4 pixels for a = 1 wave, N = 128).
struct TiltCase {
    int term;
    double waves;
    int row;
    int column;
};

class TiltMovesPeak : public ::testing::TestWithParam<TiltCase> {};

TEST_P(TiltMovesPeak, ToTheExpectedPixel) {
    const auto& tc = GetParam();
    Workspace ws;
    const auto grid = makeZernikeGrid(128, {}, {{tc.term, tc.waves}});
    const auto psf = ws.psf(*grid);
    EXPECT_NEAR(psf.amplitudeAt(tc.row, tc.column), psf.peak, 1e-9 * psf.peak);
    // A whole-pixel shift keeps the full peak.
    EXPECT_NEAR(psf.strehlPsf, 1.0, 1e-6);
}

INSTANTIATE_TEST_SUITE_P(Directions, TiltMovesPeak,
                         ::testing::Values(TiltCase{1, 1.0, kCentre, kCentre - 4},
                                           TiltCase{1, -1.0, kCentre, kCentre + 4},
                                           TiltCase{2, 1.0, kCentre - 4, kCentre},
                                           TiltCase{2, -2.0, kCentre + 8, kCentre}),
                         [](const auto& i) {
                             return lumi::test::caseName("term", i.param.term, i.param.waves,
                                                         "waves");
                         });

// Small aberrations: the PSF Strehl agrees with exp(-(2 pi rms)^2).
struct StrehlCase {
    int term;
    double waves;
    double rmsWaves; // RMS of the term over the unit disc times waves
};

class StrehlOfSmallAberrations : public ::testing::TestWithParam<StrehlCase> {};

TEST_P(StrehlOfSmallAberrations, FollowsMarechal) {
    const auto& tc = GetParam();
    Workspace ws;
    const auto grid = makeZernikeGrid(128, {}, {{tc.term, tc.waves}});
    const auto psf = ws.psf(*grid);
    const double expected = std::exp(-std::pow(2 * 3.14159265358979 * tc.rmsWaves, 2));
    EXPECT_NEAR(psf.strehlPsf, expected, 0.02);
    EXPECT_LT(psf.strehlPsf, 1.0);
}

INSTANTIATE_TEST_SUITE_P(Terms, StrehlOfSmallAberrations,
                         ::testing::Values(StrehlCase{3, 0.1, 0.1 / std::sqrt(3.0)}, // defocus
                                           StrehlCase{4, 0.1, 0.1 / std::sqrt(6.0)}, // astigmatism
                                           StrehlCase{8, 0.08, 0.08 / std::sqrt(5.0)}, // spherical
                                           StrehlCase{6, 0.1, 0.1 / std::sqrt(8.0)}),
                         [](const auto& i) {
                             return lumi::test::caseName("term", i.param.term, i.param.waves,
                                                         "waves");
                         }); // coma

TEST(Psf, ObstructedPerfectPupilKeepsStrehlOneAndDarkensItsCentre) {
    Workspace ws;
    const auto clear = makeZernikeGrid(64, {}, {});
    const auto grid = makeZernikeGrid(64, obstructed(0.3), {});
    const auto open = ws.psf(*clear);
    const auto psf = ws.psf(*grid);
    EXPECT_LT(psf.pupilSampleCount, open.pupilSampleCount);
    EXPECT_NEAR(psf.strehlPsf, 1.0, 1e-12);
    EXPECT_NEAR(psf.amplitudeAt(kCentre, kCentre), psf.peak, 1e-9 * psf.peak);
    EXPECT_NEAR(psf.peak, psf.pupilSampleCount, 1e-9 * psf.peak);
}

struct FailureCase {
    const char* name;
    int gridCount;
    double obstructionRadius;
    double value;
    AnalysisError::Kind kind;
};

class PsfFailures : public ::testing::TestWithParam<FailureCase> {};

TEST_P(PsfFailures, EndInATypedError) {
    const auto& tc = GetParam();
    Workspace ws;
    const PupilGeometry pupil = obstructed(tc.obstructionRadius);
    auto grid = makeGrid(std::clamp(tc.gridCount, 1, WavefrontGrid::kMaxGridCount), pupil,
                         [&](double, double) { return tc.value; });
    grid->gridCount = tc.gridCount;
    try {
        (void)ws.psf(*grid);
        FAIL() << tc.name << ": no error";
    } catch (const AnalysisError& e) {
        EXPECT_EQ(e.kind(), tc.kind) << tc.name;
        EXPECT_FALSE(std::string(e.what()).empty());
    }
}

INSTANTIATE_TEST_SUITE_P(
    Inputs, PsfFailures,
    ::testing::Values(
        FailureCase{"obstruction covers all", 64, 1.5, 0.0, AnalysisError::Kind::InvalidGeometry},
        FailureCase{"never sampled", 0, 0.0, 0.0, AnalysisError::Kind::InvalidGeometry},
        FailureCase{"grid too large", 130, 0.0, 0.0, AnalysisError::Kind::InvalidGeometry},
        FailureCase{"not a number", 32, 0.0, std::nan(""), AnalysisError::Kind::NonFinite},
        FailureCase{"infinite", 32, 0.0, HUGE_VAL, AnalysisError::Kind::NonFinite}),
    lumi::test::ByName());

TEST(Psf, ReportSizeTransformHasItsPeakAtItsCentre) {
    Workspace ws;
    const auto grid = makeZernikeGrid(32, {}, {});
    const auto psf = computePointSpreadFunction(*grid, *ws.field, ws.transform,
                                                PointSpreadFunction::kReportTransformSize);
    ASSERT_EQ(psf.size, 128);
    ASSERT_EQ(psf.amplitude.size(), 128u * 128u);
    EXPECT_NEAR(psf.amplitudeAt(64, 64), psf.peak, 1e-9 * psf.peak);
    EXPECT_NEAR(psf.strehlPsf, 1.0, 1e-12);
    // Same pupil in half the transform: the dark ring comes in by half.
    EXPECT_NEAR(psf.amplitudeAt(64, 64 + 5) / psf.peak, 0.0, 0.03);

    auto big = makeZernikeGrid(129, {}, {});
    EXPECT_THROW(computePointSpreadFunction(*big, *ws.field, ws.transform, 128), AnalysisError);
    EXPECT_THROW(computePointSpreadFunction(*grid, *ws.field, ws.transform, 64), AnalysisError);
}

TEST(PsfOptions, UnaberratedNormalisationScalesTheSurfaceByStrehl) {
    EXPECT_EQ(psfSurfaceHeightFactor(PsfNormalisation::UnaberratedPsf, 0.5), 32.0);
    EXPECT_EQ(psfSurfaceHeightFactor(PsfNormalisation::Unity, 0.5), 64.0);
}

} // namespace
} // namespace lumi
