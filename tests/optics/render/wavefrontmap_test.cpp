#include "optics/render/wavefrontmap.h"
#include "support/casename.h"

#include "analysis/analysiserror.h"
#include "optics/colorscale.h"
#include "rendertestsupport.h"

#include <QPainter>

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace lumi {
namespace {

using rendertest::pixel;

struct MapCase {
    int gridCount;
    int imageSize; // px; not a multiple of N + 1, so cells are of unequal widths
};

class WavefrontMapCells : public ::testing::TestWithParam<MapCase> {
protected:
    // Centre pixel of cell (r, c) on a map of N + 1 cells across `size` pixels.
    static QPoint cellCentre(int r, int c, int n, int size) {
        const double cell = size / (n + 1.0);
        return QPoint(static_cast<int>((c + 0.5) * cell), static_cast<int>((r + 0.5) * cell));
    }
};

TEST_P(WavefrontMapCells, PeakRedValleyBlackOutsideWhite) {
    const auto [n, size] = GetParam();
    // Tilt plus some coma: a single peak and a single valley on the rim.
    const auto grid = rendertest::makeGrid(
        n, [](double x, double y) { return 0.3 * x + 0.2 * y + 0.05 * x * y; });
    QImage image = rendertest::blankImage(size, size);
    {
        QPainter p(&image);
        paintWavefrontMap(p, image.rect(), *grid);
    }
    rendertest::maybeSave(image, "wavefrontmap");

    int peakR = -1, peakC = -1, valleyR = -1, valleyC = -1;
    for (int r = 0; r <= n; ++r)
        for (int c = 0; c <= n; ++c) {
            if (grid->at(r, c) == grid->peak)
                peakR = r, peakC = c;
            if (grid->at(r, c) == grid->valley)
                valleyR = r, valleyC = c;
        }
    ASSERT_GE(peakR, 0);
    ASSERT_GE(valleyR, 0);
    const QPoint pk = cellCentre(peakR, peakC, n, size);
    const QPoint vl = cellCentre(valleyR, valleyC, n, size);
    EXPECT_EQ(pixel(image, pk.x(), pk.y()), (RgbColor{255, 0, 0}));
    EXPECT_EQ(pixel(image, vl.x(), vl.y()), (RgbColor{0, 0, 0}));
    // Corner cells lie outside the pupil; the ends of the axes lie on its rim
    // and would stick out of the disc as single cells.
    for (auto [r, c] :
         {std::pair{0, 0}, std::pair{0, n}, std::pair{n, 0}, std::pair{n, n}, std::pair{n / 2, 0},
          std::pair{n / 2, n}, std::pair{0, n / 2}, std::pair{n, n / 2}}) {
        const QPoint q = cellCentre(r, c, n, size);
        EXPECT_EQ(pixel(image, q.x(), q.y()), (RgbColor{255, 255, 255})) << r << "," << c;
    }
    // A node inside the pupil shows its band colour.
    const auto scale = ColorScale::wavefront(grid->valley, grid->range);
    const QPoint mid = cellCentre(n / 2, n / 4, n, size);
    EXPECT_EQ(pixel(image, mid.x(), mid.y()), *scale.color(grid->at(n / 2, n / 4)));
    // The cells tile the whole image: no pixel keeps the blank fill.
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x)
            ASSERT_NE(image.pixelColor(x, y), QColor(255, 0, 255)) << x << "," << y;
}

INSTANTIATE_TEST_SUITE_P(GridCounts, WavefrontMapCells,
                         ::testing::Values(MapCase{32, 300}, MapCase{64, 333}, MapCase{128, 517},
                                           MapCase{32, 33}),
                         [](const auto& i) {
                             return lumi::test::caseName("grid", i.param.gridCount, "in",
                                                         i.param.imageSize, "px");
                         });

TEST(WavefrontMap, ZeroWavefrontIsAllWhite) {
    // An all-zero grid as the sampler leaves it: no nonzero node, range 1e-9.
    const auto grid = rendertest::makeGrid(32, [](double, double) { return 0.0; });
    QImage image = rendertest::blankImage(99, 99);
    {
        QPainter p(&image);
        paintWavefrontMap(p, image.rect(), *grid);
    }
    for (int y = 0; y < 99; y += 7)
        for (int x = 0; x < 99; x += 7)
            EXPECT_EQ(pixel(image, x, y), (RgbColor{255, 255, 255}));
}

struct BadGrid {
    const char* what;
    int gridCount;
    double range;
    double node;
};

class WavefrontMapRejects : public ::testing::TestWithParam<BadGrid> {};

TEST_P(WavefrontMapRejects, ThrowsAndPaintsNothing) {
    const auto& b = GetParam();
    auto grid = rendertest::makeGrid(32, [](double x, double) { return x; });
    grid->gridCount = b.gridCount;
    grid->range = b.range;
    grid->at(10, 10) = b.node;
    QImage image = rendertest::blankImage(64, 64);
    QPainter p(&image);
    EXPECT_THROW(paintWavefrontMap(p, image.rect(), *grid), AnalysisError) << b.what;
    p.end();
    EXPECT_EQ(image.pixelColor(32, 32), QColor(255, 0, 255)) << b.what;
}

INSTANTIATE_TEST_SUITE_P(
    Faults, WavefrontMapRejects,
    ::testing::Values(BadGrid{"zero range", 32, 0.0, 0.1}, BadGrid{"nan range", 32, NAN, 0.1},
                      BadGrid{"nan node", 32, 1.0, std::numeric_limits<double>::quiet_NaN()},
                      BadGrid{"infinite node", 32, 1.0, std::numeric_limits<double>::infinity()},
                      BadGrid{"no grid", 0, 1.0, 0.1}, BadGrid{"grid too large", 129, 1.0, 0.1}),
    [](const auto& i) { return lumi::test::namePart(i.param.what); });

} // namespace
} // namespace lumi
