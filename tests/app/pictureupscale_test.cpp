#include "app/pictureupscale.h"
#include "support/casename.h"

#include <gtest/gtest.h>

namespace lumi {
namespace {

// A picture whose pixel (x, y) encodes its own position.
PixelGrid numbered(int w, int h) {
    PixelGrid g(w, h);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            g.at(x, y) = PixelTriple{0, static_cast<std::uint8_t>(y), static_cast<std::uint8_t>(x)};
        }
    }
    return g;
}

class UpscaleCells : public ::testing::TestWithParam<int> {};

// Cell i fills pixels i k .. i k + k - 1; the far edge stays one pixel, so the picture
// keeps its coordinate frame: pixel X of the result lies at coordinate X / k.
TEST_P(UpscaleCells, KeepsTheCoordinateFrame) {
    const int k = GetParam();
    const PixelGrid source = numbered(5, 3);
    const PixelGrid big = upscaleCells(source, k);
    ASSERT_EQ(big.width(), 4 * k + 1);
    ASSERT_EQ(big.height(), 2 * k + 1);
    for (int y = 0; y < big.height(); ++y) {
        for (int x = 0; x < big.width(); ++x) {
            EXPECT_EQ(big.at(x, y), source.at(x / k, y / k)) << x << "," << y;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Factors, UpscaleCells, ::testing::Values(1, 2, 3, 8),
                         [](const auto& i) { return lumi::test::caseName("cells", i.param); });

TEST(UpscaleCellsEdge, EmptyOrNonPositiveFactorLeavesThePicture) {
    EXPECT_EQ(upscaleCells(PixelGrid(), 4).width(), 0);
    const PixelGrid source = numbered(3, 3);
    EXPECT_EQ(upscaleCells(source, 0), source);
    EXPECT_EQ(upscaleCells(source, -2), source);
}

} // namespace
} // namespace lumi
