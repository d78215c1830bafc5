#include "ui/viewportlayout.h"

#include <gtest/gtest.h>

namespace lumi {
namespace {

struct LayoutCase {
    const char* name;
    int pictureWidth, pictureHeight;
    bool horizontal, vertical;
    int viewportWidth, viewportHeight;
};

// Frame 400 x 300, bars 16 thick.
class ViewportLayoutTest : public ::testing::TestWithParam<LayoutCase> {};

TEST_P(ViewportLayoutTest, BarsOnlyWhenNeeded) {
    const LayoutCase& c = GetParam();
    const ViewportLayout l = arrangeViewport(400, 300, c.pictureWidth, c.pictureHeight, 16);
    EXPECT_EQ(l.horizontalBar, c.horizontal);
    EXPECT_EQ(l.verticalBar, c.vertical);
    EXPECT_EQ(l.viewportWidth, c.viewportWidth);
    EXPECT_EQ(l.viewportHeight, c.viewportHeight);
    EXPECT_EQ(l.horizontalMax, c.horizontal ? c.pictureWidth - c.viewportWidth : 0);
    EXPECT_EQ(l.verticalMax, c.vertical ? c.pictureHeight - c.viewportHeight : 0);
    EXPECT_EQ(l.horizontalSmallStep != 0, c.horizontal);
    EXPECT_EQ(l.verticalPageStep, c.vertical ? c.viewportHeight : 0);
}

INSTANTIATE_TEST_SUITE_P(
    Pictures, ViewportLayoutTest,
    ::testing::Values(LayoutCase{"smaller", 200, 100, false, false, 400, 300},
                      LayoutCase{"exactFit", 400, 300, false, false, 400, 300},
                      LayoutCase{"widerOnly", 800, 200, true, false, 400, 284},
                      // Wider, and the horizontal bar's height makes it too tall.
                      LayoutCase{"widerThenTaller", 800, 290, true, true, 384, 284},
                      LayoutCase{"tallerOnly", 300, 600, false, true, 384, 300},
                      // Taller, and the vertical bar's width makes it too wide.
                      LayoutCase{"tallerThenWider", 390, 600, true, true, 384, 284},
                      LayoutCase{"both", 800, 600, true, true, 384, 284}),
    [](const ::testing::TestParamInfo<LayoutCase>& p) { return std::string(p.param.name); });

// SmallChange = viewport / 5 becomes a whole number by rounding, not truncation.
TEST(ViewportLayout, SmallChangeIsAFifthOfTheViewportRounded) {
    const ViewportLayout l = arrangeViewport(400, 300, 800, 600, 16); // viewport 384 x 284
    EXPECT_EQ(l.horizontalSmallStep, 77);                             // 76.8
    EXPECT_EQ(l.verticalSmallStep, 57);                               // 56.8
    EXPECT_EQ(arrangeViewport(400, 300, 800, 200, 16).horizontalSmallStep, 80);
}

TEST(ViewportLayout, BarMaximumIsClampedToSixteenBits) {
    const ViewportLayout l = arrangeViewport(400, 300, 100000, 100, 16);
    EXPECT_EQ(l.horizontalMax, 32767);
}

} // namespace
} // namespace lumi
