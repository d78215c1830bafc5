#include "analysis/contourpointgenerator.h"

#include "analysis/analysiserror.h"
#include "analysis/zernike.h"

#include <gtest/gtest.h>

#include <cmath>
#include <initializer_list>
#include <string>
#include <utility>

namespace lumi {
namespace {

ZernikeCoefficients coefs(std::initializer_list<std::pair<int, double>> terms) {
    ZernikeCoefficients c{};
    for (auto [t, v] : terms)
        c[static_cast<std::size_t>(t)] = v;
    return c;
}

double wavefrontAt(const ZernikeCoefficients& c, const ApertureCircle& ap, double xPx, double yPx) {
    const double x = (xPx - ap.centerXPx) / ap.radiusPx;
    const double y = (yPx - ap.centerYPx) / ap.radiusPx;
    double w = 0.0;
    for (int t = 0; t < kZernikeTermCount; ++t)
        w += c[static_cast<std::size_t>(t)] * evaluateZernike(t, x, y);
    return w;
}

struct ContourCase {
    std::string name;
    ZernikeCoefficients coefficients;
    double wavesPerFringe;
    ApertureCircle aperture;
    ApertureCircle obstruction;
    int expectedFringes; // 0: not checked
};

class ContourPoints : public ::testing::TestWithParam<ContourCase> {};

TEST_P(ContourPoints, PointsLieOnTheirLevelsInsideTheAnnulus) {
    const auto& c = GetParam();
    FringeStore store;
    store.addPoint(150, 1, 1); // untouched: only fringes 0..100 are emptied
    const ContourGeneration g =
        generateContourPoints(c.coefficients, c.wavesPerFringe, c.aperture, c.obstruction, store);

    if (c.expectedFringes > 0) {
        EXPECT_EQ(g.fringeCount, c.expectedFringes);
    }
    ASSERT_GE(g.fringeCount, 1);
    ASSERT_LE(g.fringeCount, 101);
    EXPECT_EQ(store.aperture, c.aperture);
    EXPECT_EQ(store.obstruction, c.obstruction);
    EXPECT_EQ(g.pointCount, store.totalPointCount());
    EXPECT_EQ(g.fringeCount, store.nonEmptyFringeCount());

    const double wpf = static_cast<double>(static_cast<float>(c.wavesPerFringe));
    EXPECT_DOUBLE_EQ(g.pistonOffsetWaves, g.lowestLevel * wpf);
    EXPECT_DOUBLE_EQ(g.expectedCoefficients[0], c.coefficients[0] - g.lowestLevel * wpf);
    for (int t = 1; t < kZernikeTermCount; ++t)
        EXPECT_EQ(g.expectedCoefficients[static_cast<std::size_t>(t)],
                  c.coefficients[static_cast<std::size_t>(t)]);

    const double ox = (c.obstruction.centerXPx - c.aperture.centerXPx) / c.aperture.radiusPx;
    const double oy = (c.obstruction.centerYPx - c.aperture.centerYPx) / c.aperture.radiusPx;
    const double orad = c.obstruction.radiusPx / c.aperture.radiusPx;
    for (int f = 0; f < g.fringeCount; ++f) {
        const int n = store.pointCount(f);
        EXPECT_GT(n, 0) << "fringe " << f << " is empty: indices must be contiguous";
        EXPECT_LE(n, 200);
        for (int p = 1; p <= n; ++p) {
            const double xPx = store.pointX(f, p), yPx = store.pointY(f, p);
            // Generating wavefront at the stored position equals the level...
            EXPECT_NEAR(wavefrontAt(c.coefficients, c.aperture, xPx, yPx),
                        (g.lowestLevel + f) * wpf, 1e-12)
                << "fringe " << f << " point " << p;
            // ...and the piston-adjusted one the fit's height f x wpf.
            EXPECT_NEAR(wavefrontAt(g.expectedCoefficients, c.aperture, xPx, yPx), f * wpf, 1e-12);
            const double x = (xPx - c.aperture.centerXPx) / c.aperture.radiusPx;
            const double y = (yPx - c.aperture.centerYPx) / c.aperture.radiusPx;
            EXPECT_LT(x * x + y * y, 1.0);
            if (orad > 0) {
                EXPECT_GT((x - ox) * (x - ox) + (y - oy) * (y - oy), orad * orad);
            }
        }
    }
    for (int f = g.fringeCount; f <= 100; ++f)
        EXPECT_EQ(store.pointCount(f), 0);
    EXPECT_EQ(store.pointCount(150), 1);
}

const ApertureCircle kAperture{320, 240, 200};

INSTANTIATE_TEST_SUITE_P(
    KnownWavefronts, ContourPoints,
    ::testing::Values(
        // Tilt of 4 waves edge to edge at 0.5 waves per fringe: levels -8..8 minus
        // the two that only touch the rim.
        ContourCase{"StraightTilt", coefs({{1, 4.0}, {2, 1.0}}), 0.5, kAperture, {}, 0},
        ContourCase{"DefocusRings", coefs({{3, 2.2}}), 0.5, kAperture, {}, 9},
        ContourCase{"AstigmatismComa",
                    coefs({{0, 0.3}, {4, 1.5}, {5, -0.7}, {6, 0.8}}),
                    0.5,
                    kAperture,
                    {},
                    0},
        ContourCase{
            "SphericalObstructed", coefs({{3, 1.0}, {8, 1.2}}), 0.5, kAperture, {322, 236, 50}, 0},
        ContourCase{"Mixed",
                    coefs({{1, 2.0},
                           {3, -1.5},
                           {4, 0.4},
                           {7, 0.3},
                           {8, 0.25},
                           {12, 0.1},
                           {15, -0.08},
                           {24, 0.05}}),
                    1.0,
                    {250.5, 260.25, 180.75},
                    {},
                    0},
        ContourCase{"OddWavesPerFringe", coefs({{3, 1.7}, {1, 0.9}}), 0.3, kAperture, {}, 0},
        ContourCase{"TiltNearTheLimit", coefs({{1, 25.0}}), 0.5, kAperture, {}, 99}),
    [](const auto& tp) { return tp.param.name; });

// Consecutive points of one contour are neighbours, so that the picture shows a
// line rather than a zig-zag: for a single defocus ring no step between
// consecutive points exceeds a few scan-line spacings.
TEST(ContourPointGenerator, RingPointsAreOrderedAlongTheRing) {
    FringeStore store;
    const auto g = generateContourPoints(coefs({{3, 0.5}}), 0.5, kAperture, {}, store);
    // Levels: W = 0.5 (2r^2 - 1) spans -0.5..0.5: level -1 only at the centre, 0 a ring,
    // +1 only at the rim. The ring is fringe 0 or the only fringe.
    int ringFringe = -1;
    for (int f = 0; f < g.fringeCount; ++f)
        if (store.pointCount(f) > 50)
            ringFringe = f;
    ASSERT_GE(ringFringe, 0);
    const int n = store.pointCount(ringFringe);
    EXPECT_EQ(n, 200); // thinned from many more
    int bigSteps = 0;
    for (int p = 2; p <= n; ++p) {
        const double d = std::hypot(store.pointX(ringFringe, p) - store.pointX(ringFringe, p - 1),
                                    store.pointY(ringFringe, p) - store.pointY(ringFringe, p - 1));
        if (d > 0.1 * kAperture.radiusPx)
            ++bigSteps;
    }
    EXPECT_EQ(bigSteps, 0);
}

TEST(ContourPointGenerator, PistonShiftsTheLowestLevelNotTheShape) {
    FringeStore a, b;
    const auto ga = generateContourPoints(coefs({{3, 2.2}}), 0.5, kAperture, {}, a);
    const auto gb = generateContourPoints(coefs({{0, 3.0}, {3, 2.2}}), 0.5, kAperture, {}, b);
    EXPECT_EQ(gb.lowestLevel, ga.lowestLevel + 6);
    EXPECT_EQ(ga.fringeCount, gb.fringeCount);
    EXPECT_DOUBLE_EQ(gb.expectedCoefficients[0], ga.expectedCoefficients[0]);
    EXPECT_EQ(a.totalPointCount(), b.totalPointCount());
}

struct BadCase {
    std::string name;
    ZernikeCoefficients coefficients;
    double wavesPerFringe;
    ApertureCircle aperture;
    ApertureCircle obstruction;
};

class ContourPointsRejected : public ::testing::TestWithParam<BadCase> {};

TEST_P(ContourPointsRejected, ThrowsAndLeavesTheStoreAlone) {
    const auto& c = GetParam();
    FringeStore store;
    store.addPoint(0, 5, 6);
    EXPECT_THROW(
        generateContourPoints(c.coefficients, c.wavesPerFringe, c.aperture, c.obstruction, store),
        AnalysisError);
    EXPECT_EQ(store.pointCount(0), 1);
}

INSTANTIATE_TEST_SUITE_P(
    Inputs, ContourPointsRejected,
    ::testing::Values(
        BadCase{"TooManyFringes", coefs({{1, 26.0}}), 0.5, kAperture, {}},
        BadCase{"HugeWavefront", coefs({{3, 1e30}}), 0.5, kAperture, {}},
        BadCase{"FlatBetweenLevels", coefs({{0, 0.2}}), 0.5, kAperture, {}},
        BadCase{"AllZero", coefs({}), 0.5, kAperture, {}},
        BadCase{"ZeroRadius", coefs({{3, 1}}), 0.5, {320, 240, 0}, {}},
        BadCase{"NegativeRadius", coefs({{3, 1}}), 0.5, {320, 240, -5}, {}},
        BadCase{"ZeroWavesPerFringe", coefs({{3, 1}}), 0.0, kAperture, {}},
        BadCase{"NegativeWavesPerFringe", coefs({{3, 1}}), -0.5, kAperture, {}},
        BadCase{"NanWavesPerFringe", coefs({{3, 1}}), std::nan(""), kAperture, {}},
        BadCase{"NanCoefficient", coefs({{3, 1}, {5, std::nan("")}}), 0.5, kAperture, {}},
        BadCase{"InfiniteCentre", coefs({{3, 1}}), 0.5, {INFINITY, 240, 200}, {}},
        BadCase{"ObstructionOutside", coefs({{3, 1}}), 0.5, kAperture, {500, 240, 50}},
        BadCase{"ObstructionCoversAll", coefs({{3, 1}}), 0.5, kAperture, {320, 240, 200}}),
    [](const auto& tp) { return tp.param.name; });

} // namespace
} // namespace lumi
