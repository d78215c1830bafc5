#include "imagegrids.h"
#include "imaging/toneoperations.h"
#include "support/casename.h"

#include <functional>
#include <gtest/gtest.h>

namespace lumi::testing {
namespace {

struct ToneCase {
    const char* name;
    std::function<PixelGrid(const PixelGrid&)> operation;
    PixelTriple before;
    PixelTriple after;
};

class ToneKnownAnswers : public ::testing::TestWithParam<ToneCase> {};

TEST_P(ToneKnownAnswers, MapsOnePixel) {
    const ToneCase& c = GetParam();
    PixelGrid in(3, 2, c.before);
    EXPECT_EQ(c.operation(in), PixelGrid(3, 2, c.after));
}

// Factors are single precision: 0.3f is a little above 0.3, so 15 * 0.3f is not a half.
const ToneCase kToneCases[] = {
    {"brightness0Unchanged", [](auto& g) { return adjustBrightness(g, 0); }, rgb(7, 128, 250),
     rgb(7, 128, 250)},
    {"brightness100White", [](auto& g) { return adjustBrightness(g, 100); }, rgb(0, 17, 254),
     grey(255)},
    {"brightnessMinus100Black", [](auto& g) { return adjustBrightness(g, -100); }, rgb(255, 17, 1),
     grey(0)},
    {"brightness50HalvesToEven", [](auto& g) { return adjustBrightness(g, 50); }, rgb(0, 254, 1),
     rgb(128, 254, 128)}, // 127.5 -> 128, 254.5 -> 254, 128 exactly
    {"brightnessMinus50HalvesToEven", [](auto& g) { return adjustBrightness(g, -50); },
     rgb(5, 7, 200), rgb(2, 4, 100)}, // 2.5 -> 2, 3.5 -> 4
    {"brightness30SingleFactor", [](auto& g) { return adjustBrightness(g, 30); }, rgb(240, 0, 255),
     rgb(245, 77, 255)}, // 240 + 15 * 0.3f = 244.50000018
    {"contrast100Unchanged", [](auto& g) { return adjustContrast(g, 100); }, rgb(0, 127, 255),
     rgb(0, 127, 255)},
    {"contrast0Pivot128", [](auto& g) { return adjustContrast(g, 0); }, rgb(0, 127, 255),
     grey(128)},
    {"contrast300Clamps", [](auto& g) { return adjustContrast(g, 300); }, rgb(0, 127, 200),
     rgb(0, 125, 255)},
    {"contrast50HalvesToEven", [](auto& g) { return adjustContrast(g, 50); }, rgb(1, 3, 255),
     rgb(64, 66, 192)}, // 64.5 -> 64, 65.5 -> 66, 191.5 -> 192
    {"binary0AllWhite", [](auto& g) { return binaryContrast(g, 0); }, grey(0), grey(255)},
    {"binary255OnlyWhiteStays", [](auto& g) { return binaryContrast(g, 255); }, rgb(255, 254, 254),
     grey(0)}, // mean 254.33
    {"binaryRoundedMeanUp", [](auto& g) { return binaryContrast(g, 2); }, rgb(1, 2, 2), grey(255)},
    {"binaryRoundedMeanDown", [](auto& g) { return binaryContrast(g, 2); }, rgb(1, 1, 2), grey(0)},
    {"balanceZeroUnchanged", [](auto& g) { return balanceColors(g, 0, 0, 0); }, rgb(10, 200, 255),
     rgb(10, 200, 255)},
    {"balanceRedMinus100RemovesRed", [](auto& g) { return balanceColors(g, -100, 0, 0); },
     rgb(200, 200, 200), rgb(0, 200, 200)},
    {"balanceGreenMinus100", [](auto& g) { return balanceColors(g, 0, -100, 0); },
     rgb(200, 200, 255), rgb(200, 145, 255)},
    {"balanceGreenMinus100Keeps255", [](auto& g) { return balanceColors(g, 0, -100, 0); },
     rgb(0, 255, 0), rgb(0, 255, 0)},
    {"balanceBluePlus50Scales", [](auto& g) { return balanceColors(g, 50, 0, 50); },
     rgb(100, 0, 100), rgb(178, 0, 150)}, // red towards 255: 177.5 -> 178
    {"saturationMinus100Grey", [](auto& g) { return adjustSaturation(g, -100); }, rgb(1, 2, 2),
     grey(2)},
    {"saturation0Unchanged", [](auto& g) { return adjustSaturation(g, 0); }, rgb(3, 90, 250),
     rgb(3, 90, 250)},
    {"saturation100Clamps", [](auto& g) { return adjustSaturation(g, 100); }, rgb(10, 100, 250),
     rgb(0, 80, 255)}, // u = 120: -100 -> 0, 80, 380 -> 255
    {"greyPlainMean", [](auto& g) { return greyScale(g); }, rgb(255, 0, 0), grey(85)},
    {"greyMeanRoundsUp", [](auto& g) { return greyScale(g); }, rgb(1, 2, 2), grey(2)},
    {"invert", [](auto& g) { return invertColors(g); }, rgb(0, 100, 255), rgb(255, 155, 0)},
};

INSTANTIATE_TEST_SUITE_P(Tone, ToneKnownAnswers, ::testing::ValuesIn(kToneCases),
                         ::lumi::test::ByName());

TEST(ToneInvariants, InvertTwiceAndGreyOfGreyAreIdentities) {
    const PixelGrid g = gradient(300, 70);
    EXPECT_EQ(invertColors(invertColors(g)), g);
    const PixelGrid once = greyScale(g);
    EXPECT_EQ(greyScale(once), once);
    // Two bands on two cores: the last row and column are done like the first.
    EXPECT_EQ(adjustBrightness(g, 0), g);
    EXPECT_EQ(adjustSaturation(g, 0), g);
}

} // namespace
} // namespace lumi::testing
