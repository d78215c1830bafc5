#include "optics/render/userscale.h"
#include "support/casename.h"

#include "analysis/analysiserror.h"

#include <gtest/gtest.h>

#include <cmath>

namespace lumi {
namespace {

struct ScaleCase {
    const char* what;
    double left, top, right, bottom; // user corners
    double x, y;                     // user point
    double deviceX, deviceY;         // on a 200 x 100 rectangle at (10, 20)
};

class UserScaleCorners : public ::testing::TestWithParam<ScaleCase> {};

TEST_P(UserScaleCorners, MapsToDevicePixels) {
    const auto& c = GetParam();
    const UserScale s(QRectF(10, 20, 200, 100), c.left, c.top, c.right, c.bottom);
    EXPECT_DOUBLE_EQ(s.toDeviceX(c.x), c.deviceX) << c.what;
    EXPECT_DOUBLE_EQ(s.toDeviceY(c.y), c.deviceY) << c.what;
    const QPointF back = s.toUser(QPointF(c.deviceX, c.deviceY));
    EXPECT_NEAR(back.x(), c.x, 1e-12) << c.what;
    EXPECT_NEAR(back.y(), c.y, 1e-12) << c.what;
}

INSTANTIATE_TEST_SUITE_P(
    EitherAxisEitherWay, UserScaleCorners,
    ::testing::Values(
        ScaleCase{"y down", 0, 0, 33, 33, 0, 0, 10, 20},
        ScaleCase{"y down far corner", 0, 0, 33, 33, 33, 33, 210, 120},
        // The colour bar: (0, 1280)-(100, 0), y grows upwards.
        ScaleCase{"y up top", 0, 1280, 100, 0, 50, 1280, 110, 20},
        ScaleCase{"y up bottom", 0, 1280, 100, 0, 50, 0, 110, 120},
        // The column profile: (peak, 0)-(valley, K), x runs from the peak down to the valley.
        ScaleCase{"x reversed", 0.5, 0, -0.5, 64, 0.5, 32, 10, 70},
        ScaleCase{"x reversed valley", 0.5, 0, -0.5, 64, -0.5, 64, 210, 120},
        // The MTF plot: (-0.07 N, 1.1)-(1.07 N, -0.15) with N = 100.
        ScaleCase{"mtf origin", -7, 1.1, 107, -0.15, 0, 0, 10 + 200 * 7 / 114.0,
                  20 + 100 * 1.1 / 1.25}),
    [](const auto& i) { return lumi::test::namePart(i.param.what); });

TEST(UserScale, EmptyOrNonFiniteAxisIsRejected) {
    const QRectF r(0, 0, 10, 10);
    EXPECT_THROW(UserScale(r, 0, 0, 0, 1), AnalysisError);
    EXPECT_THROW(UserScale(r, 0, 1, 1, 1), AnalysisError);
    EXPECT_THROW(UserScale(r, 0, 0, NAN, 1), AnalysisError);
    EXPECT_THROW(UserScale(r, -INFINITY, 0, 1, 1), AnalysisError);
}

TEST(UserScale, BoxesTileWithoutGapsOrOverlap) {
    // 33 cells over 100 pixels: each cell's right edge is the next one's left edge.
    const UserScale s(QRectF(0, 0, 100, 100), 0, 0, 33, 33);
    int covered = 0;
    for (int c = 0; c < 33; ++c) {
        const QRect box = s.pixelBox(c, 0, c + 1, 1);
        const QRect next = s.pixelBox(c + 1, 0, c + 2, 1);
        EXPECT_EQ(box.x() + box.width(), next.x()) << c;
        covered += box.width();
    }
    EXPECT_EQ(covered, 100);
    // Corners given in either order make the same box.
    EXPECT_EQ(s.pixelBox(3, 4, 5, 6), s.pixelBox(5, 6, 3, 4));
}

} // namespace
} // namespace lumi
