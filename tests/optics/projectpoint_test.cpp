#include "optics/projectpoint.h"

#include <gtest/gtest.h>

#include <cctype>
#include <cmath>
#include <string>

namespace lumi {
namespace {

struct ProjectionCase {
    const char* name;
    double xDeg, yDeg, zDeg;
    double x, h, z;
    double screenX, screenY, depth;
};

class ProjectPointKnownAngles : public ::testing::TestWithParam<ProjectionCase> {};

TEST_P(ProjectPointKnownAngles, MatchesHandRotation) {
    const auto& c = GetParam();
    const auto p = projectPoint(ViewAngles::fromDegrees(c.xDeg, c.yDeg, c.zDeg), c.x, c.h, c.z);
    EXPECT_NEAR(p.x, c.screenX, 1e-12) << c.name;
    EXPECT_NEAR(p.y, c.screenY, 1e-12) << c.name;
    EXPECT_NEAR(p.depth, c.depth, 1e-12) << c.name;
}

// Test names from the case names: letters and digits kept, the rest turned into '_'.
std::string caseName(const ::testing::TestParamInfo<ProjectionCase>& i) {
    std::string s = i.param.name;
    for (char& ch : s)
        if (!std::isalnum(static_cast<unsigned char>(ch)))
            ch = '_';
    return s;
}

INSTANTIATE_TEST_SUITE_P(
    QuarterTurns, ProjectPointKnownAngles,
    ::testing::Values(
        // No rotation: the plane is seen edge-on, heights go straight up the screen.
        ProjectionCase{"identity", 0, 0, 0, 2, -3, 5, 2, -3, 5},
        // X by 90 degrees looks straight down: rows run up the screen.
        ProjectionCase{"x90", 90, 0, 0, 2, -3, 5, 2, -5, -3},
        // Y by 90 degrees: height and column swap roles.
        ProjectionCase{"y90", 0, 90, 0, 2, -3, 5, 3, 2, 5},
        // Z by 90 degrees: rows come to the screen's x axis.
        ProjectionCase{"z90", 0, 0, 90, 2, -3, 5, 5, -3, -2},
        // Order is Y, then X, then Z: (1, 0, 0) -Y90-> h 1 -X90-> depth 1 -Z90-> screen x 1.
        ProjectionCase{"y then x then z", 90, 90, 90, 1, 0, 0, 1, 0, 0},
        ProjectionCase{"negative x tilt", -90, 0, 0, 0, 0, 1, 0, 1, 0}),
    caseName);

TEST(ProjectPoint, DefaultViewTiltsRowsUpward) {
    // Default window view (X -40, Z -20, Y 0): a flat surface is seen from above-front, so
    // the far row (negative z) appears higher on the screen (smaller y) than the near row.
    const auto view = ViewAngles::fromDegrees(-40, 0, -20);
    const auto far = projectPoint(view, 0, 0, -10);
    const auto nearRow = projectPoint(view, 0, 0, 10);
    EXPECT_LT(far.y, nearRow.y);
    EXPECT_NEAR(nearRow.y, -10 * std::sin(-40 * 3.14159265358979 / 180), 1e-12);
    // A raised point (h negative) moves up the screen.
    EXPECT_LT(projectPoint(view, 0, -5, 0).y, projectPoint(view, 0, 0, 0).y);
}

TEST(ProjectPoint, RotationKeepsLengths) {
    const auto view = ViewAngles::fromDegrees(-43, 5, -20);
    for (double x : {-7.0, 0.0, 3.5})
        for (double h : {-2.0, 1.0})
            for (double z : {-4.0, 6.0}) {
                const auto p = projectPoint(view, x, h, z);
                EXPECT_NEAR(p.x * p.x + p.y * p.y + p.depth * p.depth, x * x + h * h + z * z, 1e-9);
            }
}

} // namespace
} // namespace lumi
