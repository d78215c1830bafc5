#include "fringe/threepointcircle.h"
#include "support/casename.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>

namespace lumi {
namespace {

TEST(ThreePointCircle, RightAngleAtOrigin) {
    auto c = circleThroughThreePoints(0, 0, 2, 0, 0, 2);
    ASSERT_TRUE(c.has_value());
    EXPECT_DOUBLE_EQ(c->centerXPx, 1.0);
    EXPECT_DOUBLE_EQ(c->centerYPx, 1.0);
    EXPECT_DOUBLE_EQ(c->radiusPx, std::sqrt(2.0));
}

// The first two clicks may share their x (a plain vertical pair on the rim).
TEST(ThreePointCircle, FirstTwoClicksWithTheSameX) {
    auto c = circleThroughThreePoints(100, 200, 100, 400, 300, 300);
    ASSERT_TRUE(c.has_value());
    EXPECT_NEAR(c->centerXPx, 175.0, 1e-9);
    EXPECT_NEAR(c->centerYPx, 300.0, 1e-9);
    EXPECT_NEAR(c->radiusPx, 125.0, 1e-9);
}

struct Collinear {
    double x1, y1, x2, y2, x3, y3;
};

class CollinearClicks : public ::testing::TestWithParam<Collinear> {};

TEST_P(CollinearClicks, HaveNoCircle) {
    const Collinear& p = GetParam();
    EXPECT_FALSE(circleThroughThreePoints(p.x1, p.y1, p.x2, p.y2, p.x3, p.y3).has_value());
}

INSTANTIATE_TEST_SUITE_P(Table, CollinearClicks,
                         ::testing::Values(Collinear{0, 0, 1, 1, 2, 2},
                                           Collinear{10, 5, 20, 5, 30, 5}, // horizontal
                                           Collinear{7, 1, 7, 9, 7, 4},    // vertical
                                           Collinear{3, 3, 3, 3, 8, 1},    // first two equal
                                           Collinear{5, 5, 5, 5, 5, 5},    // all equal
                                           Collinear{0.1, 0.2, 0.3, 0.6, 0.7, 1.4}),
                         [](const auto& i) {
                             const auto& p = i.param;
                             return lumi::test::caseName(p.x1, p.y1, p.x2, p.y2, p.x3, p.y3);
                         }); // in floats

// Every click lies on the circle found, for random non-degenerate clicks on
// a picture-sized area.
TEST(ThreePointCircle, RandomClicksLieOnTheCircle) {
    std::mt19937 rng(1234);
    std::uniform_int_distribution<int> coord(0, 800);
    int checked = 0;
    while (checked < 500) {
        const double x1 = coord(rng), y1 = coord(rng), x2 = coord(rng), y2 = coord(rng),
                     x3 = coord(rng), y3 = coord(rng);
        const double cross = (x2 - x1) * (y3 - y1) - (y2 - y1) * (x3 - x1);
        auto c = circleThroughThreePoints(x1, y1, x2, y2, x3, y3);
        if (cross == 0.0) {
            EXPECT_FALSE(c.has_value());
            continue;
        }
        ASSERT_TRUE(c.has_value());
        const double tolerance = 1e-9 * std::max(1.0, c->radiusPx);
        EXPECT_NEAR(std::hypot(x1 - c->centerXPx, y1 - c->centerYPx), c->radiusPx, tolerance);
        EXPECT_NEAR(std::hypot(x2 - c->centerXPx, y2 - c->centerYPx), c->radiusPx, tolerance);
        EXPECT_NEAR(std::hypot(x3 - c->centerXPx, y3 - c->centerYPx), c->radiusPx, tolerance);
        ++checked;
    }
}

} // namespace
} // namespace lumi
