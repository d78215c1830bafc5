#include "optics/render/wavefrontscalebar.h"
#include "support/casename.h"

#include "rendertestsupport.h"

#include <QPainter>

#include <gtest/gtest.h>

namespace lumi {
namespace {

using rendertest::pixel;

struct LabelCase {
    double peak, valley, range;
    std::array<std::string, 4> labels;
};

class WavefrontScaleLabels : public ::testing::TestWithParam<LabelCase> {};

TEST_P(WavefrontScaleLabels, FourDecimalsAtTheFixedFractions) {
    const auto& c = GetParam();
    WavefrontGrid grid;
    grid.peak = c.peak;
    grid.valley = c.valley;
    grid.range = c.range;
    EXPECT_EQ(wavefrontScaleLabels(grid), c.labels);
}

INSTANTIATE_TEST_SUITE_P(
    Ranges, WavefrontScaleLabels,
    ::testing::Values(
        // valley + 0.666 x range and valley + 0.333 x range, not two and one thirds.
        LabelCase{1.5, -0.5, 2.0, {"1.5000", "0.8320", "0.1660", "-0.5000"}},
        LabelCase{0.25, 0.25, 1e-9, {"0.2500", "0.2500", "0.2500", "0.2500"}},
        // An all-zero grid as the sampler leaves it.
        LabelCase{-999999999.0,
                  999999999.0,
                  1e-9,
                  {"-999999999.0000", "999999999.0000", "999999999.0000", "999999999.0000"}}),
    [](const auto& i) {
        return lumi::test::caseName("peak", i.param.peak, "valley", i.param.valley);
    });

TEST(WavefrontScaleBar, RedAtTheTopBlackAtTheBottom) {
    QImage bar = rendertest::blankImage(20, 256);
    {
        QPainter p(&bar);
        paintWavefrontColorBar(p, bar.rect());
    }
    // Each pixel row shows the bar line at its centre: within a few steps of the ends.
    const RgbColor top = pixel(bar, 10, 0), bottom = pixel(bar, 10, 255);
    EXPECT_EQ(top.red, 255);
    EXPECT_LE(top.green + top.blue, 5);
    EXPECT_LE(bottom.red + bottom.green + bottom.blue, 5);
    // Fifths: yellow at 1/5 from the top, green at 2/5, cyan at 3/5, blue at 4/5.
    const RgbColor yellow = pixel(bar, 10, 51), green = pixel(bar, 10, 102);
    const RgbColor cyan = pixel(bar, 10, 154), blue = pixel(bar, 10, 205);
    EXPECT_GT(yellow.red, 240);
    EXPECT_GT(yellow.green, 240);
    EXPECT_GT(green.green, 240);
    EXPECT_LT(green.red + green.blue, 20);
    EXPECT_GT(cyan.green + cyan.blue, 490);
    EXPECT_GT(blue.blue, 240);
    EXPECT_LT(blue.green, 15);
}

} // namespace
} // namespace lumi
