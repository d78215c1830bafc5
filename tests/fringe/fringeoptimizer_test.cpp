#include "fringe/fringeoptimizer.h"

#include <gtest/gtest.h>

#include <cmath>

namespace lumi {
namespace {

// A dark fringe along column `darkColumn`, brightness growing 20 per pixel
// either side, wider than the 7 x 7 window.
PixelGrid columnPicture(int darkColumn) {
    PixelGrid grid(200, 200);
    for (int y = 0; y < 200; ++y)
        for (int x = 0; x < 200; ++x) {
            const auto v = static_cast<std::uint8_t>(std::min(240, 20 * std::abs(x - darkColumn)));
            grid.at(x, y) = {v, v, v};
        }
    return grid;
}

FringeStore storeWith(std::initializer_list<std::pair<double, double>> points) {
    FringeStore store;
    store.aperture = {100, 100, 95};
    for (const auto& [x, y] : points)
        store.addPoint(3, x, y);
    return store;
}

TEST(FringeOptimizer, MovesPointsOntoTheDarkLineOnePixelPerPass) {
    const PixelGrid grid = columnPicture(100);
    // Points 2, 3 and 6 px right of the line; 6 px is beyond four passes.
    FringeStore store = storeWith({{102, 60}, {103, 80}, {106, 100}, {102, 120}});
    ASSERT_EQ(FringeOptimizer(grid).optimize(store, 3), FringeOptimizer::Outcome::Optimized);
    EXPECT_EQ(store.pointX(3, 1), 100.0);
    EXPECT_EQ(store.pointX(3, 2), 100.0);
    EXPECT_EQ(store.pointX(3, 3), 102.0);
    EXPECT_EQ(store.pointX(3, 4), 100.0);
    for (int p = 1; p <= 4; ++p)
        EXPECT_EQ(store.pointY(3, p), 60.0 + 20.0 * (p - 1)) << "point " << p;
}

TEST(FringeOptimizer, NoDarkerNeighbourLeavesPointsRounded) {
    const PixelGrid flat(200, 200, {120, 120, 120});
    FringeStore store = storeWith({{50.4, 60.6}, {70.5, 61.5}, {89.7, 62.2}});
    FringeOptimizer(flat).optimize(store, 3);
    const double expected[3][2] = {{50, 61}, {70, 62}, {90, 62}};
    for (int p = 1; p <= 3; ++p) {
        EXPECT_EQ(store.pointX(3, p), expected[p - 1][0]) << "point " << p;
        EXPECT_EQ(store.pointY(3, p), expected[p - 1][1]) << "point " << p;
    }
}

TEST(FringeOptimizer, LeavesLoneAndOutsidePointsAndRefusesLongFringes) {
    const PixelGrid grid = columnPicture(100);
    FringeStore lone = storeWith({{103.3, 100}});
    FringeOptimizer(grid).optimize(lone, 3);
    EXPECT_EQ(lone.pointX(3, 1), 103.3);

    // Beyond 69/70 of the radius a point is never stored, not even rounded.
    FringeStore edge = storeWith({{100.4, 6.2}, {100.4, 16.2}});
    FringeOptimizer(grid).optimize(edge, 3);
    EXPECT_EQ(edge.pointY(3, 1), 6.2);
    EXPECT_EQ(edge.pointY(3, 2), 16.0);

    FringeStore full;
    full.aperture = {100, 100, 95};
    for (int p = 0; p < 101; ++p)
        full.addPoint(0, 102.0, 40.0 + p);
    const FringeStore before = full;
    EXPECT_EQ(FringeOptimizer(grid).optimize(full, 0), FringeOptimizer::Outcome::TooManyPoints);
    EXPECT_EQ(full, before);
}

} // namespace
} // namespace lumi
