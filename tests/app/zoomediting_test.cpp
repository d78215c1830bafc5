#include "mainwindowfixture.h"
#include "ui/interferogramview.h"

#include <cmath>

namespace lumi::testing {
namespace {

// Circles and points are kept in image pixels, so the same clicks on the
// picture give the same store at every zoom.
class ZoomEditing : public MainWindowFixture, public ::testing::WithParamInterface<double> {};

TEST_P(ZoomEditing, CirclesAndPointsLandOnTheSameImagePixels) {
    showPicture();
    page->view()->setZoom(GetParam());
    ASSERT_DOUBLE_EQ(page->view()->zoom(), GetParam());
    // Multiples of 24 image pixels are whole layout pixels even at zoom 0.25
    // on a screen of ratio 1.5 or 2.
    makeAperture({96, 312}, {504, 312}, {312, 96});
    leftClick(312, 288);
    EXPECT_DOUBLE_EQ(store().aperture.centerXPx, 300.0);
    EXPECT_DOUBLE_EQ(store().aperture.centerYPx, 300.0);
    EXPECT_NEAR(store().aperture.radiusPx, std::sqrt(204.0 * 204.0 + 12.0 * 12.0), 1e-9);
    ASSERT_EQ(store().pointCount(0), 1);
    EXPECT_DOUBLE_EQ(store().pointX(0, 1), 312.0);
    EXPECT_DOUBLE_EQ(store().pointY(0, 1), 288.0);
    rightClick(312, 288);
    EXPECT_EQ(store().pointCount(0), 0);
}

INSTANTIATE_TEST_SUITE_P(Zooms, ZoomEditing, ::testing::Values(0.25, 1.0, 4.0),
                         [](const ::testing::TestParamInfo<double>& p) {
                             return "Zoom" + std::to_string(static_cast<int>(p.param * 100));
                         });

} // namespace
} // namespace lumi::testing
