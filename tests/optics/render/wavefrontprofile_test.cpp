#include "optics/render/wavefrontprofile.h"

#include "analysis/analysiserror.h"
#include "rendertestsupport.h"

#include <QPainter>

#include <gtest/gtest.h>

namespace lumi {
namespace {

using rendertest::pixel;

constexpr int kN = 32;
const RgbColor kBlue{0, 0, 255};
const RgbColor kWhite{255, 255, 255};

// Column profile of W = y through the middle column: node k holds y_k = -1 + 2k/N.
TEST(WavefrontProfile, ColumnBarsRunFromTheValueToTheValley) {
    const auto grid = rendertest::makeGrid(kN, [](double, double y) { return y; });
    const int band = 6; // pixels per node row
    QImage strip = rendertest::blankImage(200, kN * band);
    {
        QPainter p(&strip);
        paintColumnProfile(p, strip.rect(), *grid, kN / 2, kN);
    }
    rendertest::maybeSave(strip, "columnprofile");
    auto at = [&](double fraction, int k) {
        return pixel(strip, static_cast<int>(fraction * 200), k * band + band / 2);
    };
    // Peak at the left, valley at the right: y = 0.9375 (k = N - 1) is blue nearly across.
    EXPECT_EQ(at(0.02, kN - 1), kWhite);
    EXPECT_EQ(at(0.05, kN - 1), kBlue);
    EXPECT_EQ(at(0.98, kN - 1), kBlue);
    // y = 0.5 (k = 3N/4) sits a quarter of the way from the peak: white left, blue right.
    EXPECT_EQ(at(0.15, 3 * kN / 4), kWhite);
    EXPECT_EQ(at(0.40, 3 * kN / 4), kBlue);
    // The centre node is exactly 0: a white box.
    EXPECT_EQ(at(0.75, kN / 2), kWhite);
}

TEST(WavefrontProfile, RowBarsStandFromTheValleyUpToTheValue) {
    const auto grid = rendertest::makeGrid(kN, [](double x, double) { return x; });
    const int band = 6;
    QImage strip = rendertest::blankImage(kN * band, 200);
    {
        QPainter p(&strip);
        paintRowProfile(p, strip.rect(), *grid, kN / 2, kN);
    }
    auto at = [&](int k, double fraction) {
        return pixel(strip, k * band + band / 2, static_cast<int>(fraction * 200));
    };
    EXPECT_EQ(at(kN - 1, 0.05), kBlue); // x = 0.9375: nearly full height
    EXPECT_EQ(at(3 * kN / 4, 0.15), kWhite);
    EXPECT_EQ(at(3 * kN / 4, 0.40), kBlue);
    EXPECT_EQ(at(kN / 2, 0.75), kWhite); // zero node
}

TEST(WavefrontProfile, ProfileAtThePupilEdgeIsAllWhite) {
    // Row 0 meets the pupil only at x = 0, where W = x is 0.
    const auto grid = rendertest::makeGrid(kN, [](double x, double) { return x; });
    QImage strip = rendertest::blankImage(kN * 4, 100);
    {
        QPainter p(&strip);
        paintRowProfile(p, strip.rect(), *grid, 0, kN);
    }
    for (int y = 0; y < 100; y += 5)
        for (int x = 0; x < kN * 4; x += 3)
            ASSERT_EQ(pixel(strip, x, y), kWhite) << x << "," << y;
}

TEST(WavefrontProfile, MarkersCrossTheWholeMap) {
    QImage map = rendertest::blankImage(330, 330, QColor(255, 255, 255));
    {
        QPainter p(&map);
        paintProfileMarkers(p, map.rect(), kN, 10, 20);
    }
    // Scale (0, 0)-(33, 33): 10 px per unit.
    for (int y : {0, 150, 329})
        EXPECT_EQ(pixel(map, 100, y), (RgbColor{255, 0, 0})) << y;
    for (int x : {0, 150, 329})
        if (x != 100) {
            EXPECT_EQ(pixel(map, x, 200), (RgbColor{0, 192, 0})) << x;
        }
}

TEST(WavefrontProfile, FlatOrMisplacedProfilesAreRejected) {
    auto grid = rendertest::makeGrid(kN, [](double x, double) { return x; });
    QImage strip = rendertest::blankImage(50, 50);
    QPainter p(&strip);
    EXPECT_THROW(paintRowProfile(p, strip.rect(), *grid, 130, kN), AnalysisError);
    EXPECT_THROW(paintColumnProfile(p, strip.rect(), *grid, -1, kN), AnalysisError);
    grid->peak = grid->valley; // one nonzero value: the strip's scale has no width
    EXPECT_THROW(paintColumnProfile(p, strip.rect(), *grid, kN / 2, kN), AnalysisError);
}

} // namespace
} // namespace lumi
