#include "tools/samplegen/answerfile.h"
#include "tools/samplegen/photorenderer.h"
#include "tools/samplegen/samplecatalogue.h"
#include "tools/samplegen/seedednoise.h"

#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <sstream>

namespace lumi {
namespace {

class CatalogueSample : public ::testing::TestWithParam<int> {
protected:
    SampleRecipe recipe() const { return sampleCatalogue()[static_cast<std::size_t>(GetParam())]; }
};

TEST_P(CatalogueSample, IsDigitisableAndFitsThePicture) {
    const SampleRecipe r = recipe();
    EXPECT_EQ(r.name, "sample" + std::to_string(GetParam() + 1));
    EXPECT_GE(r.fringeCount(), 3.0);
    EXPECT_LE(r.fringeCount(), 15.0);
    EXPECT_GE(r.widthPx, 544);
    EXPECT_LE(r.widthPx, 800);
    EXPECT_GE(r.heightPx, 480);
    EXPECT_LE(r.heightPx, 600);
    // The whole aperture and a margin of surround are in the picture.
    EXPECT_GE(r.apertureXPx - r.apertureRadiusPx, 8.0);
    EXPECT_LE(r.apertureXPx + r.apertureRadiusPx, r.widthPx - 9.0);
    EXPECT_GE(r.apertureYPx - r.apertureRadiusPx, 8.0);
    EXPECT_LE(r.apertureYPx + r.apertureRadiusPx, r.heightPx - 9.0);
    if (r.obstructionRadiusPx > 0.0) {
        EXPECT_LT(std::hypot(r.obstructionXPx - r.apertureXPx, r.obstructionYPx - r.apertureYPx) +
                      r.obstructionRadiusPx,
                  0.5 * r.apertureRadiusPx);
    } else {
        EXPECT_EQ(r.obstructionKind, "none");
    }
    for (int t = kZernikeTermCount; t < kZernikeSlots; ++t) {
        EXPECT_EQ(r.coefficientsWaves[static_cast<std::size_t>(t)], 0.0);
    }
}

// Dark fringe centres must sit where the recorded wavefront is a whole number of fringes,
// or the recorded answers would not describe the picture.
TEST_P(CatalogueSample, DarkFringesLieOnWholeFringeOrders) {
    const SampleRecipe r = recipe();
    const std::vector<double> light = PhotoRenderer().lightPlane(r, true);
    const int row = static_cast<int>(r.apertureYPx + 0.3 * r.apertureRadiusPx);
    const int lo = static_cast<int>(r.apertureXPx - 0.9 * r.apertureRadiusPx);
    const int hi = static_cast<int>(r.apertureXPx + 0.9 * r.apertureRadiusPx);
    auto at = [&](int x) {
        return light[static_cast<std::size_t>(row) * static_cast<std::size_t>(r.widthPx) +
                     static_cast<std::size_t>(x)];
    };
    int minima = 0;
    for (int x = lo + 1; x < hi; ++x) {
        if (at(x) < at(x - 1) && at(x) <= at(x + 1) && at(x) < 0.3) {
            ++minima;
            const double order = r.heightWaves(x, row) / r.wavesPerFringe;
            // A pixel step moves the phase by at most ~0.1 fringe on these samples.
            EXPECT_NEAR(order, std::round(order), 0.12) << "dark pixel at x = " << x;
        }
    }
    EXPECT_GE(minima, 1);
}

INSTANTIATE_TEST_SUITE_P(AllEight, CatalogueSample, ::testing::Range(0, 8),
                         [](const auto& i) { return "sample" + std::to_string(i.param + 1); });

TEST(SampleCatalogue, HasSevenJpegsAndOneBitmapWithMatchingNames) {
    int bitmaps = 0;
    for (const SampleRecipe& r : sampleCatalogue()) {
        const bool jpeg = r.format == PictureFormat::Jpeg;
        bitmaps += jpeg ? 0 : 1;
        EXPECT_EQ(r.fileName, r.name + (jpeg ? ".jpg" : ".bmp"));
    }
    EXPECT_EQ(sampleCatalogue().size(), 8u);
    EXPECT_EQ(bitmaps, 1);
}

TEST(PhotoRenderer, SameRecipeGivesSameBytes) {
    const SampleRecipe r = sampleCatalogue()[0];
    EXPECT_EQ(PhotoRenderer().render(r).rgb, PhotoRenderer().render(r).rgb);
}

// The answer file beside the tool must be the one the catalogue writes; a recipe edited
// without regenerating would leave wrong known answers for the accuracy tests.
TEST(AnswerFile, CommittedCopyIsCurrent) {
    std::ifstream file(LUMI_SOURCE_DIR "/tools/samplegen/samples.json", std::ios::binary);
    ASSERT_TRUE(file) << "tools/samplegen/samples.json missing";
    std::stringstream text;
    text << file.rdbuf();
    EXPECT_EQ(text.str(), answerFileText(sampleCatalogue()));
}

TEST(SeededNoise, GaussianHasUnitDeviationAndIsReproducible) {
    SeededNoise a(7);
    SeededNoise b(7);
    double sum = 0.0;
    double sumSq = 0.0;
    constexpr int kCount = 200000;
    for (int i = 0; i < kCount; ++i) {
        const double v = a.gaussian();
        ASSERT_EQ(v, b.gaussian());
        sum += v;
        sumSq += v * v;
    }
    EXPECT_NEAR(sum / kCount, 0.0, 0.01);
    EXPECT_NEAR(std::sqrt(sumSq / kCount), 1.0, 0.01);
}

} // namespace
} // namespace lumi
