#include "analysis/analysiserror.h"
#include "report/printlayout.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>

namespace lumi {
namespace {

// A portrait printable area of 2000 x 3000 (ratio 2 : 3) throughout.
constexpr PageExtent kPrintable{2000.0, 3000.0};

struct FitCase {
    std::string name;
    bool portraitOnly;
    PageExtent picture;
    PageOrientation orientation;
    PageExtent drawn;
};

class PictureFitting : public ::testing::TestWithParam<FitCase> {};

TEST_P(PictureFitting, choosesOrientationAndFittedSize) {
    const FitCase& c = GetParam();
    const FittedPicture fit = c.portraitOnly ? fitPictureToPortraitPage(c.picture, kPrintable)
                                             : fitPictureToPage(c.picture, kPrintable);
    EXPECT_EQ(fit.orientation, c.orientation);
    EXPECT_DOUBLE_EQ(fit.drawn.width, c.drawn.width);
    EXPECT_DOUBLE_EQ(fit.drawn.height, c.drawn.height);
}

INSTANTIATE_TEST_SUITE_P(
    Printing, PictureFitting,
    ::testing::Values(
        FitCase{"squareIsPortraitFillingTheWidth",
                false,
                {500, 500},
                PageOrientation::Portrait,
                {2000, 2000}},
        // Landscape page 3000 x 2000: the width is filled, the height is half of it.
        FitCase{"twiceAsWideIsLandscapeHalfAsTall",
                false,
                {400, 200},
                PageOrientation::Landscape,
                {3000, 1500}},
        FitCase{"tallFillsThePortraitHeight",
                false,
                {100, 300},
                PageOrientation::Portrait,
                {1000, 3000}},
        FitCase{"printerRatioFillsThePortraitArea",
                false,
                {20, 30},
                PageOrientation::Portrait,
                {2000, 3000}},
        FitCase{"turnedPrinterRatioFillsTheLandscapeArea",
                false,
                {300, 200},
                PageOrientation::Landscape,
                {3000, 2000}},
        FitCase{"portraitOnlyKeepsAWidePictureUpright",
                true,
                {400, 200},
                PageOrientation::Portrait,
                {2000, 1000}},
        FitCase{
            "portraitOnlyTallPicture", true, {100, 300}, PageOrientation::Portrait, {1000, 3000}}),
    [](const ::testing::TestParamInfo<FitCase>& p) { return p.param.name; });

TEST(PictureFitting, refusesSizesWithoutArea) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    for (const PageExtent bad : {PageExtent{0, 100}, PageExtent{100, -1}, PageExtent{nan, 100}}) {
        EXPECT_THROW(fitPictureToPage(bad, kPrintable), AnalysisError);
        EXPECT_THROW(fitPictureToPortraitPage({100, 100}, bad), AnalysisError);
    }
}

} // namespace
} // namespace lumi
