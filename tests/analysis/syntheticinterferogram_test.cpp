#include "analysis/analysiserror.h"
#include "analysis/syntheticinterferogram.h"
#include "analysis/syntheticshading.h"
#include "analysis/wavefrontgrid.h"
#include "support/casename.h"

#include <gtest/gtest.h>

#include <cmath>

namespace lumi {
namespace {

Measurement withCoefficients(std::initializer_list<std::pair<int, double>> terms) {
    Measurement m;
    m.store.aperture = {200.0, 200.0, 100.0};
    m.settings.highestTerm = 36;
    for (const auto& [t, v] : terms) {
        m.results.coefficients[static_cast<std::size_t>(t)] = v;
    }
    return m;
}

SyntheticOptions grey(int d = 128, double wavesPerFringe = 0.5) {
    SyntheticOptions o;
    o.gridSize = d;
    o.color = SyntheticColor::Grey;
    o.wavesPerFringe = wavesPerFringe;
    return o;
}

TEST(SyntheticInterferogram, defocusDrawsTwoBrightRingsPerWave) {
    // W = 1 x (2 rho^2 - 1): from -1 at the centre to about +1 at the rim.
    Measurement m = withCoefficients({{3, 1.0}});
    const SyntheticOptions o = grey(256);
    const PixelGrid picture = SyntheticInterferogram::draw(m, o);
    const SyntheticHeightMap h = SyntheticInterferogram::computeHeights(m, o);
    const int d = o.gridSize;

    // Everywhere inside the pupil the intensity is the triangle wave of the height,
    // 255 |1 - 2 frac((peak - H) / w)|: bright every w = 0.5 waves below the peak.
    int checked = 0;
    for (int i = 0; i < d; ++i) {
        for (int j = 0; j < d; ++j) {
            const double height = h.at(i, j);
            if (height == 0.0 || height == h.peak()) {
                continue;
            }
            const double t = std::fmod((h.peak() - height) / 0.5, 1.0);
            const double expected = 255.0 * std::fabs(1.0 - 2.0 * t);
            ASSERT_NEAR(picture.at(j, i).red, expected, 1.01) << i << "," << j;
            ASSERT_EQ(picture.at(j, i).red, picture.at(j, i).green);
            ++checked;
        }
    }
    EXPECT_GT(checked, 50000);

    // Concentric rings: mirror and transpose symmetric.
    for (int i = 1; i < d; ++i) {
        for (int j = 1; j < d; ++j) {
            ASSERT_EQ(picture.at(j, i), picture.at(d - j, i));
            ASSERT_EQ(picture.at(j, i), picture.at(i, j));
        }
    }

    // Along a radius the height rises by 2 waves, from -1 at the centre to the peak of
    // about 1 at the rim: bright at the centre and every half wave after it, 5 in all.
    int rings = 0;
    bool inBright = false;
    for (int j = d / 2; j < d; ++j) {
        const bool bright = h.at(d / 2, j) != 0.0 && picture.at(j, d / 2).red > 200;
        rings += (bright && !inBright) ? 1 : 0;
        inBright = bright;
    }
    EXPECT_EQ(rings, 5);
}

class SyntheticGridSizes : public ::testing::TestWithParam<int> {};

TEST_P(SyntheticGridSizes, lastRowAndColumnAreNeverPaintedAndOutsideIsWhite) {
    Measurement m = withCoefficients({{1, 2.0}, {3, 0.7}, {8, -0.4}});
    const int d = GetParam();
    const PixelTriple background{1, 2, 3};
    const PixelGrid picture = SyntheticInterferogram::draw(m, grey(d), background);
    ASSERT_EQ(picture.width(), d + 1);
    ASSERT_EQ(picture.height(), d + 1);
    for (int k = 0; k <= d; ++k) {
        EXPECT_EQ(picture.at(d, k), background);
        EXPECT_EQ(picture.at(k, d), background);
    }
    const PixelTriple white{255, 255, 255};
    EXPECT_EQ(picture.at(0, 0), white);
    EXPECT_EQ(picture.at(d - 1, 0), white);
    EXPECT_EQ(picture.at(0, d - 1), white);
    EXPECT_EQ(picture.at(d - 1, d - 1), white);
}

INSTANTIATE_TEST_SUITE_P(Sizes, SyntheticGridSizes, ::testing::Values(64, 128, 256),
                         [](const auto& i) { return lumi::test::caseName("grid", i.param); });

TEST(SyntheticInterferogram, nullTestTakesTheIdealSphericalOut) {
    Measurement aspheric = withCoefficients({{1, 1.5}, {3, 0.3}, {8, 0.7}});
    aspheric.settings.input.analysisType = AnalysisType::Aspheric;
    aspheric.results.idealConicCoefficients[8] = 0.7;
    aspheric.results.idealConicCoefficients[3] = 2.0; // only term 8 is compensated
    SyntheticOptions null = grey();
    null.display = SyntheticDisplay::NullTest;

    Measurement withoutSpherical = withCoefficients({{1, 1.5}, {3, 0.3}});
    EXPECT_EQ(SyntheticInterferogram::draw(aspheric, null),
              SyntheticInterferogram::draw(withoutSpherical, grey()));

    // "Real Igram", or standard analysis, keeps the measured spherical.
    const PixelGrid real = SyntheticInterferogram::draw(aspheric, grey());
    Measurement standard = aspheric;
    standard.settings.input.analysisType = AnalysisType::Standard;
    EXPECT_EQ(SyntheticInterferogram::draw(standard, null), real);
    EXPECT_NE(real, SyntheticInterferogram::draw(withoutSpherical, grey()));
}

TEST(SyntheticInterferogram, onlyItsOwnRemoveBoxesLeaveTermsOut) {
    Measurement m = withCoefficients({{1, 2.0}, {2, -1.0}, {3, 0.5}, {9, 0.3}});
    SyntheticOptions o = grey();
    const PixelGrid all = SyntheticInterferogram::draw(m, o);

    m.settings.setRemoved(RemovalGroup::Tilt, true);
    m.settings.setRemoved(RemovalGroup::HighOrderAstigmatism, true);
    EXPECT_EQ(SyntheticInterferogram::draw(m, o), all);

    o.setRemoved(RemovalGroup::Tilt, true);
    o.setRemoved(RemovalGroup::HighOrderAstigmatism, true);
    Measurement reduced = withCoefficients({{3, 0.5}});
    EXPECT_EQ(SyntheticInterferogram::draw(m, o), SyntheticInterferogram::draw(reduced, grey()));
}

TEST(SyntheticInterferogram, wavesPerFringeSignIsIgnoredAndZeroIsAnError) {
    Measurement m = withCoefficients({{3, 1.0}, {6, 0.2}});
    EXPECT_EQ(SyntheticInterferogram::draw(m, grey(128, -0.5)),
              SyntheticInterferogram::draw(m, grey(128, 0.5)));
    m.results.grid.peak = 42.0;
    try {
        SyntheticInterferogram::draw(m, grey(128, 0.0));
        FAIL() << "no error";
    } catch (const AnalysisError& e) {
        EXPECT_EQ(e.kind(), AnalysisError::Kind::ZeroWavesPerFringe);
    }
    EXPECT_EQ(m.results.grid.peak, 42.0);
}

TEST(SyntheticInterferogram, badInputEndsWithATypedError) {
    Measurement m = withCoefficients({{3, 1.0}});
    EXPECT_THROW(SyntheticInterferogram::draw(m, grey(0)), AnalysisError);
    EXPECT_THROW(SyntheticInterferogram::draw(m, grey(300)), AnalysisError);
    EXPECT_THROW(SyntheticInterferogram::draw(m, grey(128, 1e-9)), AnalysisError); // 4e9 fringes
    m.results.coefficients[5] = std::nan("");
    EXPECT_THROW(SyntheticInterferogram::draw(m, grey()), AnalysisError);
    Measurement noAperture = withCoefficients({{3, 1.0}});
    noAperture.store.aperture = {};
    noAperture.store.obstruction = {10.0, 10.0, 5.0};
    EXPECT_THROW(SyntheticInterferogram::draw(noAperture, grey()), AnalysisError);
}

TEST(SyntheticInterferogram, obstructionIsWhite) {
    Measurement m = withCoefficients({{3, 1.0}});
    m.store.obstruction = {200.0, 200.0, 30.0}; // 0.3 of the aperture, centred
    const PixelGrid picture = SyntheticInterferogram::draw(m, grey(128));
    EXPECT_EQ(picture.at(64, 64), (PixelTriple{255, 255, 255}));
    EXPECT_EQ(picture.at(64 + 18, 64), (PixelTriple{255, 255, 255})); // rho 0.28
    EXPECT_NE(picture.at(64 + 22, 64), (PixelTriple{255, 255, 255})); // rho 0.34
}

struct ColourCase {
    SyntheticColor colour;
    PixelTriple expected; // for intensity 100.5 (rounds to the even 100)
};

class SyntheticColours : public ::testing::TestWithParam<ColourCase> {};

TEST_P(SyntheticColours, intensityGoesIntoTheChosenChannels) {
    EXPECT_EQ(SyntheticShading::colourOf(100.5f, GetParam().colour), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Colours, SyntheticColours,
                         ::testing::Values(ColourCase{SyntheticColor::Grey, {100, 100, 100}},
                                           ColourCase{SyntheticColor::Red, {0, 0, 100}},
                                           ColourCase{SyntheticColor::Green, {0, 100, 0}}),
                         [](const auto& i) {
                             return std::string(i.param.colour == SyntheticColor::Grey  ? "grey"
                                                : i.param.colour == SyntheticColor::Red ? "red"
                                                                                        : "green");
                         });

TEST(SyntheticShading, unmatchedHeightRepeatsThePreviousPixelsColour) {
    // Heights on a 4 x 4 cell map (nodes 0..4, x = j / 2 - 1): the peak matches no band.
    SyntheticHeightMap h(4);
    h.at(1, 1) = 0.9;  // even band of L(0) = 1.0: 255 - 255 x 0.1 / 0.25 = 153
    h.at(1, 2) = 1.0;  // peak: repeats the colour before it
    h.at(2, 1) = 0.0;  // inside, exactly 0: white
    h.at(2, 2) = 1.0;  // peak again: repeats the white before it
    h.at(2, 0) = 0.95; // on the rim (x = -1, y = 0): white, no nub sticks out of the disc
    h.at(4, 4) = 0.95; // node beyond the cells, not drawn
    h.updateExtremes();
    const SyntheticShading shading(h, 0.5);
    EXPECT_EQ(shading.levelSteps(), 1); // round(0.1 / 0.5 x 2 + 1) = round(1.4)
    const PixelGrid p = shading.shade(h, SyntheticColor::Grey, {7, 7, 7});
    EXPECT_EQ(p.at(1, 1), (PixelTriple{153, 153, 153}));
    EXPECT_EQ(p.at(2, 1), (PixelTriple{153, 153, 153}));
    EXPECT_EQ(p.at(1, 2), (PixelTriple{255, 255, 255}));
    EXPECT_EQ(p.at(2, 2), (PixelTriple{255, 255, 255}));
    EXPECT_EQ(p.at(0, 2), (PixelTriple{255, 255, 255}));
    EXPECT_EQ(p.at(4, 4), (PixelTriple{7, 7, 7}));
}

TEST(SyntheticShading, mapWithoutHeightsHasOneStepAndIsWhite) {
    SyntheticHeightMap h(4);
    h.updateExtremes(); // sentinels: a range of about -2e9
    const SyntheticShading shading(h, 0.5);
    EXPECT_EQ(shading.levelSteps(), 1);
    const PixelGrid p = shading.shade(h, SyntheticColor::Red, {});
    for (int i = 0; i < 4; ++i) {
        for (int j = 0; j < 4; ++j) {
            EXPECT_EQ(p.at(j, i), (PixelTriple{255, 255, 255}));
        }
    }
}

struct BandCase {
    double height;
    bool matched;
    float intensity;
};

class SyntheticBands : public ::testing::TestWithParam<BandCase> {};

TEST_P(SyntheticBands, triangleWaveBetweenLevels) {
    // peak 2, valley 0.5, w = 0.5: m = round(1.5 / 0.5 x 2 + 1) = 7, levels 2, 1.75, ...
    SyntheticHeightMap h(1);
    h.at(0, 0) = 2.0;
    h.at(1, 1) = 0.5;
    h.updateExtremes();
    const SyntheticShading shading(h, 0.5);
    ASSERT_EQ(shading.levelSteps(), 7);
    const auto v = shading.intensity(GetParam().height);
    ASSERT_EQ(v.has_value(), GetParam().matched);
    if (v) {
        EXPECT_FLOAT_EQ(*v, GetParam().intensity);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Heights, SyntheticBands,
    ::testing::Values(BandCase{2.0, false, 0.0f},    // the peak: no band
                      BandCase{1.9, true, 153.0f},   // even band 0
                      BandCase{1.75, true, 0.0f},    // dark level L(1), lower bound of band 0
                      BandCase{1.625, true, 127.5f}, // odd band 1
                      BandCase{1.5, true, 255.0f},   // bright level L(2)
                      BandCase{0.25, true, 0.0f},    // L(7), lower bound of band 6
                      BandCase{0.125, true, 127.5f}, // odd band 7 = m
                      BandCase{0.0, true, 255.0f},   // L(8) - w/2 bounds band 7
                      BandCase{-0.01, false, 0.0f},  // below every band
                      BandCase{3.0, false, 0.0f}),
    [](const auto& i) { return lumi::test::caseName("height", i.param.height); }); // above the peak

} // namespace
} // namespace lumi
