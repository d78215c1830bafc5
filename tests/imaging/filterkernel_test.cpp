#include "imagegrids.h"
#include "imaging/filterkernel.h"
#include "support/casename.h"

#include <algorithm>
#include <cmath>
#include <gtest/gtest.h>

namespace lumi::testing {
namespace {

struct UniformCase {
    const char* name;
    FilterKernel kernel;
    int inside; // grey 100 inside the frame after the filter
};

class FilterOnGrey100 : public ::testing::TestWithParam<UniformCase> {};

// The running sums are rounded after each of the nine products: 1/9 gives 99, not 100.
TEST_P(FilterOnGrey100, RoundsRunningSumsAndBlackensTheFrame) {
    const PixelGrid out =
        applyFilterKernel(PixelGrid(7, 5, grey(100)), kernelWeights(GetParam().kernel));
    for (int y = 0; y < 5; ++y) {
        for (int x = 0; x < 7; ++x) {
            const bool frame = x == 0 || y == 0 || x == 6 || y == 4;
            EXPECT_EQ(out.at(x, y), grey(frame ? 0 : GetParam().inside)) << x << "," << y;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Kernels, FilterOnGrey100,
                         ::testing::Values(UniformCase{"uniform", FilterKernel::Uniform, 99},
                                           UniformCase{"peaked", FilterKernel::Peaked, 100},
                                           UniformCase{"stronglyPeaked",
                                                       FilterKernel::StronglyPeaked, 100},
                                           UniformCase{"veryWeak", FilterKernel::VeryWeak, 103},
                                           UniformCase{"weak", FilterKernel::Weak, 100},
                                           UniformCase{"strong", FilterKernel::Strong, 100}),
                         ::lumi::test::ByName());

TEST(Filter, StrongOnASingleWhitePixelClamps) {
    PixelGrid g(5, 5, grey(0));
    g.at(2, 2) = grey(255);
    const PixelGrid out = applyFilterKernel(g, kernelWeights(FilterKernel::Strong));
    EXPECT_EQ(out.at(2, 2), grey(255));
    for (const auto& [x, y] : {std::pair{1, 2}, {3, 2}, {2, 1}, {2, 3}, {1, 1}}) {
        EXPECT_EQ(out.at(x, y), grey(0)) << x << "," << y;
    }
}

TEST(Filter, HalvesGoToTheEvenRunningSum) {
    // Weak: 8 x -0.25 p + 3 p. With p = 2 each edge product is -0.5: the sum runs
    // round(-0.5) = 0 every time, then 6, so 6 -- a single rounding at the end would give 2.
    const PixelGrid out =
        applyFilterKernel(PixelGrid(3, 3, grey(2)), kernelWeights(FilterKernel::Weak));
    EXPECT_EQ(out.at(1, 1), grey(6));
    // p = 6: -2, -4, -6, -8, then +18 = 10, then 8.5 -> 8, 6.5 -> 6, 4.5 -> 4, 2.5 -> 2.
    const PixelGrid six =
        applyFilterKernel(PixelGrid(3, 3, grey(6)), kernelWeights(FilterKernel::Weak));
    EXPECT_EQ(six.at(1, 1), grey(2));
}

TEST(Filter, TinyPicturesAreAllBlackAndBandsMatchOnePass) {
    EXPECT_EQ(applyFilterKernel(PixelGrid(2, 2, grey(80)), kernelWeights(FilterKernel::Uniform)),
              PixelGrid(2, 2, grey(0)));
    // A tall picture runs in two bands; each output pixel is checked against the
    // plain definition on the unfiltered neighbourhood.
    const PixelGrid g = gradient(23, 150);
    const KernelWeights w = kernelWeights(FilterKernel::VeryWeak);
    const PixelGrid out = applyFilterKernel(g, w);
    for (int y = 1; y < 149; ++y) {
        for (int x = 1; x < 22; ++x) {
            int sum = 0;
            for (int k = -1; k <= 1; ++k) {
                for (int t = -1; t <= 1; ++t) {
                    sum = static_cast<int>(std::nearbyint(
                        sum + g.at(x + k, y + t).red *
                                  static_cast<double>(w[static_cast<std::size_t>(k + 1)]
                                                       [static_cast<std::size_t>(t + 1)])));
                }
            }
            ASSERT_EQ(out.at(x, y).red, std::clamp(sum, 0, 255)) << x << "," << y;
        }
    }
}

} // namespace
} // namespace lumi::testing
