#include "fringe/annulus.h"
#include "fringe/fringetracer.h"
#include "fringe/windowsum.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <numbers>
#include <sstream>

namespace lumi {
namespace {

// A grey picture whose brightness (0..255 per channel) is given per pixel.
PixelGrid pictureOf(int width, int height, const std::function<int(int, int)>& grey) {
    PixelGrid grid(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const auto v = static_cast<std::uint8_t>(grey(x, y));
            grid.at(x, y) = {v, v, v};
        }
    return grid;
}

// Dark lines 2 px wide (V-shaped profile) where `distance` is 0, white elsewhere.
int darkLine(double distancePx) {
    return static_cast<int>(std::lround(std::min(1.0, std::fabs(distancePx) / 6.0) * 255.0));
}

constexpr ApertureCircle kAperture{200, 200, 140};

std::string traceStopsText(const std::vector<TraceStop>& stops) {
    std::ostringstream os;
    for (const TraceStop& s : stops)
        os << "fringe " << s.fringe << " at (" << s.where.xPx << ", " << s.where.yPx << ") reason "
           << static_cast<int>(s.reason) << "; ";
    return os.str();
}
constexpr ApertureCircle kNone{};

TEST(WindowSum, SumsSevenBySevenAndCountsOutsideAsWhite) {
    const PixelGrid grid = pictureOf(20, 20, [](int x, int) { return x == 10 ? 0 : 100; });
    EXPECT_EQ(windowSum(grid, 10, 10), 42 * 300);
    EXPECT_EQ(windowSum(grid, 0, 0), 16 * 300 + 33 * 765);
    // Halves round to even: at x = 10.5 the columns are 8,8,10,10,12,12,14.
    EXPECT_EQ(windowSum(grid, 10.5, 10), 35 * 300);
}

TEST(FringeTracer, StraightFringeSeededInItsMiddleRunsToBothEdges) {
    // Vertical dark fringes at x = 200 and x = 240.
    const PixelGrid grid =
        pictureOf(400, 400, [](int x, int) { return darkLine(std::min(x - 200.0, 240.0 - x)); });
    const FringeTracer tracer(grid, kAperture, kNone);
    const std::array seeds{ImagePoint{201, 200}, ImagePoint{239, 201}};
    FringeStore store;
    ASSERT_EQ(tracer.trace(seeds, store), FringeTracer::Outcome::Traced);

    const double step = tracer.stepPx(); // 7 px
    const int n = store.pointCount(0);
    // About 2 * 138 / 7 points; the seed first, the forward points, then backward.
    EXPECT_GE(n, 37);
    EXPECT_LE(n, 40);
    EXPECT_EQ(store.pointX(0, 1), 200.0);
    double top = 1e9;
    double bottom = -1e9;
    for (int p = 1; p <= n; ++p) {
        EXPECT_EQ(store.pointX(0, p), 200.0) << "point " << p;
        EXPECT_TRUE(isInsideAnnulus(kAperture, kNone, store.pointX(0, p), store.pointY(0, p)));
        top = std::min(top, store.pointY(0, p));
        bottom = std::max(bottom, store.pointY(0, p));
    }
    const double edge = 140.0 - 2.0; // 69/70 of the radius
    EXPECT_LT(200.0 - top, edge);
    EXPECT_GT(200.0 - top, edge - step);
    EXPECT_LT(bottom - 200.0, edge);
    EXPECT_GT(bottom - 200.0, edge - step);
    // Seeds 0 -> 1 run to the right, so the fringes are followed upwards first.
    EXPECT_LT(store.pointY(0, 2), 200.0);
    EXPECT_GT(store.pointY(0, n), 200.0);
}

TEST(FringeTracer, ClosedRingStopsAtItsSeedWithoutBackwardPass) {
    const PixelGrid grid = pictureOf(400, 400, [](int x, int y) {
        const double r = std::hypot(x - 200.0, y - 200.0);
        return darkLine(std::min(std::fabs(r - 60.0), std::fabs(r - 100.0)));
    });
    const FringeTracer tracer(grid, kAperture, kNone);
    const std::array seeds{ImagePoint{260, 200}, ImagePoint{300, 200}};
    FringeStore store;
    ASSERT_EQ(tracer.trace(seeds, store), FringeTracer::Outcome::Traced);
    const int n = store.pointCount(0);
    EXPECT_NEAR(n, 2.0 * 3.14159 * 60.0 / 7.0, 3.0);
    for (int p = 1; p <= n; ++p)
        EXPECT_NEAR(std::hypot(store.pointX(0, p) - 200.0, store.pointY(0, p) - 200.0), 60.0, 1.0);
    // The last point comes back next to the seed from the other side.
    EXPECT_LT(std::hypot(store.pointX(0, n) - 260.0, store.pointY(0, n) - 200.0), 2.0 * 7.0);
}

TEST(FringeTracer, EqualWindowSumsKeepTheEarliestOffset) {
    // Dark columns 5 px either side of the point: the windows at offsets
    // -3, -2, 2 and 3 are equally dark, and -3 (x + 3) is the earliest.
    const PixelGrid grid =
        pictureOf(40, 40, [](int x, int) { return x == 15 || x == 25 ? 0 : 200; });
    const FringeTracer tracer(grid, {20, 20, 19}, kNone);
    // Travelling downwards the normal points to -x.
    const ImagePoint refined = tracer.refine({20, 20}, {20, 10});
    EXPECT_EQ(refined, (ImagePoint{23, 20}));
    // A flat picture leaves the point where it is, rounded.
    const PixelGrid flat = pictureOf(40, 40, [](int, int) { return 90; });
    const FringeTracer flatTracer(flat, {20, 20, 19}, kNone);
    EXPECT_EQ(flatTracer.refine({20.4, 19.6}, {20.4, 9.6}), (ImagePoint{20, 20}));
}

TEST(FringeTracer, FringeOfTwoHundredPointsHasNoRoomForABackwardPass) {
    const PixelGrid grid = pictureOf(1000, 1000, [](int x, int) { return darkLine(x - 500.0); });
    TraceOptions options;
    options.pointSpacing = 400; // step 1 px
    const FringeTracer tracer(grid, {500, 500, 400}, kNone, options);
    const std::array seeds{ImagePoint{500, 500}, ImagePoint{520, 500}};
    FringeStore store;
    ASSERT_EQ(tracer.trace(seeds, store), FringeTracer::Outcome::Traced);
    ASSERT_EQ(store.pointCount(0), 200);
    for (int p = 2; p <= 200; ++p)
        EXPECT_LT(store.pointY(0, p), 500.0) << "point " << p;
}

TEST(FringeTracer, SeedNearTheEdgeIsKeptWhenTheFirstStepLeaves) {
    // The seed sits 5 px inside the usable edge: point 3 lies outside at once.
    const PixelGrid grid = pictureOf(400, 400, [](int x, int) { return darkLine(x - 200.0); });
    const FringeTracer tracer(grid, kAperture, kNone);
    const std::array seeds{ImagePoint{200, 67}, ImagePoint{240, 67}};
    FringeStore store;
    ASSERT_EQ(tracer.trace(seeds, store), FringeTracer::Outcome::Traced);
    const int n = store.pointCount(0);
    ASSERT_GT(n, 30);
    EXPECT_EQ(store.pointY(0, 1), 67.0);
    for (int p = 1; p <= n; ++p) {
        EXPECT_EQ(store.pointX(0, p), 200.0) << "point " << p;
        EXPECT_TRUE(isInsideAnnulus(kAperture, kNone, 200.0, store.pointY(0, p)));
    }
    EXPECT_GT(store.pointY(0, n), 300.0);
}

struct RefusedTrace {
    const char* name;
    std::vector<ImagePoint> seeds;
    int spacing;
    FringeTracer::Outcome outcome;
    double radiusPx = 45;
};

class FringeTracerRefuses : public ::testing::TestWithParam<RefusedTrace> {};

TEST_P(FringeTracerRefuses, AndLeavesTheStoreAlone) {
    const PixelGrid grid = pictureOf(100, 100, [](int x, int) { return darkLine(x - 50.0); });
    TraceOptions options;
    options.pointSpacing = GetParam().spacing;
    const FringeTracer tracer(grid, {50, 50, GetParam().radiusPx}, kNone, options);
    FringeStore store;
    store.aperture = {50, 50, 45};
    store.addPoint(0, 1, 2);
    const FringeStore before = store;
    EXPECT_EQ(tracer.trace(GetParam().seeds, store), GetParam().outcome);
    EXPECT_EQ(store, before);
}

INSTANTIATE_TEST_SUITE_P(
    Seeds, FringeTracerRefuses,
    ::testing::Values(
        RefusedTrace{"no_seed", {}, 20, FringeTracer::Outcome::TooFewSeeds},
        RefusedTrace{"one_seed", {{50, 50}}, 20, FringeTracer::Outcome::TooFewSeeds},
        RefusedTrace{"first_two_coincide",
                     {{50, 50}, {50, 50}, {60, 50}},
                     20,
                     FringeTracer::Outcome::SeedsCoincide},
        RefusedTrace{"more_than_101", std::vector<ImagePoint>(102, ImagePoint{50, 50}), 20,
                     FringeTracer::Outcome::TooManySeeds},
        RefusedTrace{"spacing_zero", {{50, 50}, {60, 50}}, 0, FringeTracer::Outcome::BadStep},
        RefusedTrace{"radius_beyond_single_precision",
                     {{50, 50}, {60, 50}},
                     20,
                     FringeTracer::Outcome::BadStep,
                     1e300}),
    [](const auto& p) { return std::string(p.param.name); });

TEST(FringeTracer, ObserverSeesEveryRefinedPoint) {
    const PixelGrid grid = pictureOf(400, 400, [](int x, int) { return darkLine(x - 200.0); });
    const FringeTracer tracer(grid, kAperture, kNone);
    const std::array seeds{ImagePoint{200, 200}, ImagePoint{240, 200}};
    FringeStore store;
    int calls = 0;
    tracer.trace(seeds, store, [&calls](int fringe, ImagePoint) { calls += fringe == 0; });
    // The seed twice, point 2 once, the first backward point once, every
    // other point twice.
    const int n = store.pointCount(0);
    EXPECT_EQ(calls, 2 * n - 2);
}

// ---- following the fringe direction -----------------------------------------

struct FollowCase {
    const char* name;
    // Fringe order at a pixel: dark lines where it is a whole number.
    std::function<double(double, double)> order;
    double markRadiusPx; // a black disc at the aperture centre; 0: none
};

class FringeFollowing : public ::testing::TestWithParam<FollowCase> {};

TEST_P(FringeFollowing, KeepsEveryPointOnItsOwnFringeAndStopsAtAMark) {
    const FollowCase& c = GetParam();
    std::uint32_t noise = 7;
    const PixelGrid grid = pictureOf(400, 400, [&](int x, int y) {
        noise = noise * 1664525u + 1013904223u;
        if (std::hypot(x - 200.0, y - 200.0) < c.markRadiusPx)
            return 0;
        const double light = 0.5 * (1.0 - std::cos(2.0 * std::numbers::pi * c.order(x, y)));
        const double speckle = 0.3 * (static_cast<double>(noise >> 24) / 255.0 - 0.5);
        return static_cast<int>(std::lround(std::clamp(light + speckle, 0.0, 1.0) * 220.0));
    });
    // One seed per dark line along the row through the centre, 30 px above it.
    std::vector<ImagePoint> seeds;
    std::vector<double> orders;
    for (int x = 70; x < 330; ++x) {
        const double a = c.order(x - 0.5, 170);
        const double b = c.order(x + 0.5, 170);
        if (std::floor(a) != std::floor(b)) {
            seeds.push_back({static_cast<double>(x), 170});
            orders.push_back(std::max(std::floor(a), std::floor(b)));
        }
    }
    ASSERT_GE(seeds.size(), 20u);
    TraceOptions options;
    options.followFringe = true;
    const FringeTracer tracer(grid, kAperture, kNone, options);
    FringeStore store;
    std::vector<TraceStop> stops;
    ASSERT_EQ(tracer.trace(seeds, store, {}, &stops), FringeTracer::Outcome::Traced);
    for (int f = 0; f < static_cast<int>(seeds.size()); ++f) {
        EXPECT_GE(store.pointCount(f), 3) << "fringe " << f;
        for (int p = 1; p <= store.pointCount(f); ++p) {
            const double x = store.pointX(f, p);
            const double y = store.pointY(f, p);
            EXPECT_LT(std::fabs(c.order(x, y) - orders[static_cast<std::size_t>(f)]), 0.25)
                << "fringe " << f << " point " << p;
            EXPECT_GE(std::hypot(x - 200.0, y - 200.0), c.markRadiusPx) << "inside the mark";
        }
    }
    if (c.markRadiusPx > 0.0) {
        ASSERT_FALSE(stops.empty());
        for (const TraceStop& stop : stops)
            EXPECT_LT(std::hypot(stop.where.xPx - 200.0, stop.where.yPx - 200.0),
                      c.markRadiusPx + 12.0)
                << "fringe " << stop.fringe << " stopped away from the mark";
    } else {
        EXPECT_TRUE(stops.empty()) << traceStopsText(stops);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Pictures, FringeFollowing,
    ::testing::Values(
        // Straight fringes 6 px apart, slanted 23 degrees from the seed row's normal.
        FollowCase{"six_px_slanted",
                   [](double x, double y) { return (x * std::cos(0.4) + y * std::sin(0.4)) / 6.0; },
                   0.0},
        // Arcs about a centre 300 px to the left: 8 px apart, turning 50 degrees
        // over the aperture.
        FollowCase{"curved_arcs",
                   [](double x, double y) { return std::hypot(x + 100.0, y - 200.0) / 8.0; }, 0.0},
        FollowCase{"six_px_with_mark",
                   [](double x, double y) { return (x * std::cos(0.4) + y * std::sin(0.4)) / 6.0; },
                   12.0}),
    [](const auto& p) { return std::string(p.param.name); });

} // namespace
} // namespace lumi
