#include "analysis/idealconicfit.h"
#include "analysis/idealinterferogram.h"
#include "analysis/syntheticinterferogram.h"
#include "analysis/syntheticshading.h"

#include <gtest/gtest.h>

namespace lumi {
namespace {

SyntheticOptions grey() {
    SyntheticOptions o;
    o.gridSize = 128;
    o.color = SyntheticColor::Grey;
    o.wavesPerFringe = 0.5;
    return o;
}

// A measured surface that matches its target (paraboloid, D 200 mm, R 2000 mm) in a
// test with some tilt and focus: the measured coefficients equal the ideal ones from
// term 4 on.
Measurement matchingParaboloid() {
    AnalysisSettings s;
    s.input.analysisType = AnalysisType::Aspheric;
    s.input.surfaceDiameterMm = 200.0;
    s.input.curvatureRadiusMm = 2000.0;
    s.input.targetConic = -1.0;
    s.highestTerm = 24;
    Measurement m;
    m.settings = s;
    m.store.aperture = {300.0, 300.0, 250.0};
    m.results.idealConicCoefficients = computeIdealConic(s);
    m.results.coefficients = m.results.idealConicCoefficients;
    m.results.coefficients[1] = 1.5;
    m.results.coefficients[2] = -0.7;
    m.results.coefficients[3] = 0.9;
    return m;
}

bool inside(const SyntheticHeightMap& h, int r, int c) {
    return h.at(r, c) != 0.0 && h.at(r, c + 1) != 0.0 && h.at(r + 1, c) != 0.0;
}

TEST(IdealInterferogram, overlaySkeletonFallsOnTheSyntheticDarkFringes) {
    Measurement m = matchingParaboloid();
    const SyntheticOptions o = grey();
    const PixelGrid synthetic = SyntheticInterferogram::draw(m, o);
    PixelGrid overlaid = synthetic;
    IdealInterferogram::drawOverlay(m, o, overlaid);
    const SyntheticHeightMap h = IdealInterferogram::overlayHeights(m, o);

    int marked = 0, dark = 0, brightMarked = 0;
    for (int r = 0; r < 128; ++r) {
        for (int c = 0; c < 128; ++c) {
            if (!(overlaid.at(c, r) == IdealInterferogram::kOverlayColour) || !inside(h, r, c)) {
                continue;
            }
            ++marked;
            const int v = synthetic.at(c, r).red;
            dark += v < 100 ? 1 : 0;
            brightMarked += v > 200 ? 1 : 0;
        }
    }
    EXPECT_GT(marked, 300);
    EXPECT_EQ(brightMarked, 0);
    EXPECT_EQ(dark, marked);
    // Only skeleton cells changed.
    int changed = 0;
    for (int y = 0; y <= 128; ++y) {
        for (int x = 0; x <= 128; ++x) {
            changed += (overlaid.at(x, y) == synthetic.at(x, y)) ? 0 : 1;
        }
    }
    EXPECT_GT(changed, 0);
    EXPECT_LE(changed, marked + 4 * 128);
}

TEST(IdealInterferogram, overlayHeightsFollowTheRemoveBoxesAndNullTest) {
    Measurement m = matchingParaboloid();
    m.results.coefficients[8] = 0.25;
    SyntheticOptions o = grey();
    const double x = 0.5, y = -0.25; // node (48, 96) of 128
    const auto at = [&](const SyntheticHeightMap& h) { return h.at(48, 96); };
    const ZernikeCoefficients& ideal = m.results.idealConicCoefficients;
    const ZernikeCoefficients& c = m.results.coefficients;
    const double r2 = x * x + y * y;
    const double z8 = 6.0 * r2 * r2 - 6.0 * r2 + 1.0;
    const double z3 = 2.0 * r2 - 1.0;

    const double base = at(IdealInterferogram::overlayHeights(m, o));
    o.setRemoved(RemovalGroup::Tilt, true);
    EXPECT_NEAR(base - at(IdealInterferogram::overlayHeights(m, o)), c[1] * x + c[2] * y, 1e-12);
    o.setRemoved(RemovalGroup::Power, true);
    const double noTiltNoPower = at(IdealInterferogram::overlayHeights(m, o));
    EXPECT_NEAR(base - noTiltNoPower, c[1] * x + c[2] * y + c[3] * z3, 1e-12);
    o.display = SyntheticDisplay::NullTest;
    EXPECT_NEAR(at(IdealInterferogram::overlayHeights(m, o)) - noTiltNoPower,
                (c[8] - ideal[8] - ideal[8]) * z8, 1e-12);
    m.settings.input.analysisType = AnalysisType::Standard; // null test only in aspheric analysis
    EXPECT_NEAR(at(IdealInterferogram::overlayHeights(m, o)), noTiltNoPower, 1e-12);
}

TEST(IdealInterferogram, idealHeightsKeepMeasuredTiltAndDropPower) {
    Measurement m = matchingParaboloid();
    m.results.coefficients[8] = 5.0; // measured spherical never enters the ideal picture
    SyntheticOptions o = grey();
    const ZernikeCoefficients& ideal = m.results.idealConicCoefficients;
    const double x = -0.375, y = 0.5; // node (96, 40)
    const double r2 = x * x + y * y;
    const double z8 = 6.0 * r2 * r2 - 6.0 * r2 + 1.0;
    const SyntheticHeightMap withTilt = IdealInterferogram::idealHeights(m, o);
    o.setRemoved(RemovalGroup::Tilt, true);
    o.setRemoved(RemovalGroup::Power, true); // power is always left out anyway
    const SyntheticHeightMap idealTilt = IdealInterferogram::idealHeights(m, o);
    EXPECT_NEAR(withTilt.at(96, 40) - idealTilt.at(96, 40),
                (1.5 - ideal[1]) * x + (-0.7 - ideal[2]) * y, 1e-12);
    // Ideal spherical is there, measured power is not.
    Measurement onlyEight = m;
    onlyEight.results.idealConicCoefficients = {};
    onlyEight.results.idealConicCoefficients[8] = ideal[8];
    onlyEight.results.coefficients = {};
    EXPECT_NEAR(IdealInterferogram::idealHeights(onlyEight, o).at(96, 40), ideal[8] * z8, 1e-12);
}

TEST(IdealInterferogram, standardAnalysisShowsStraightFringesFromTheMeasuredTilt) {
    Measurement m;
    m.store.aperture = {100.0, 100.0, 80.0};
    m.settings.highestTerm = 24;
    m.results.coefficients[1] = 3.0;
    m.results.coefficients[3] = 1.0;
    m.results.coefficients[8] = 0.5;
    const IdealInterferogram::Pictures p = IdealInterferogram::draw(m, grey());
    const SyntheticHeightMap h = IdealInterferogram::idealHeights(m, grey());
    ASSERT_EQ(p.interferogram.width(), 129);
    ASSERT_EQ(p.skeleton.width(), 129);
    int blackInSkeleton = 0;
    for (int r = 0; r < 128; ++r) {
        for (int c = 0; c < 128; ++c) {
            const double v = h.at(r, c);
            if (v != 0.0) {
                EXPECT_DOUBLE_EQ(v, 3.0 * WavefrontGrid::nodeCoordinate(c, 128));
            }
            if (v != 0.0 && h.at(64, c) != 0.0 && v != h.peak()) {
                ASSERT_EQ(p.interferogram.at(c, r), p.interferogram.at(c, 64)) << r << "," << c;
            }
            blackInSkeleton += p.skeleton.at(c, r) == PixelTriple{0, 0, 0} ? 1 : 0;
        }
    }
    // 6 waves of tilt across the pupil at 0.5 waves per fringe: 12 dark lines.
    EXPECT_GT(blackInSkeleton, 12 * 60);
}

TEST(IdealInterferogram, skeletonMarksCellsWhereAnOddLevelIsCrossed) {
    SyntheticHeightMap h(2);
    // levels with w = 0.5: peak 1.0, L(1) = 0.75 (dark), L(2) = 0.5, L(3) = 0.25 ...
    h.at(0, 0) = 1.0;
    h.at(0, 1) = 0.8;  // 1.0 -> 0.8 crosses no odd level
    h.at(1, 0) = 0.75; // 1.0 -> 0.75 touches L(1): bounds included
    h.at(1, 1) = 0.6;
    h.at(0, 2) = 0.7; // 0.8 -> 0.7 crosses L(1)
    h.at(2, 1) = 0.55;
    h.at(1, 2) = 0.59;
    h.at(2, 0) = 0.3;
    h.updateExtremes();
    const SyntheticShading shading(h, 0.5);
    EXPECT_TRUE(shading.onSkeleton(h, 0, 0));  // via the lower neighbour
    EXPECT_TRUE(shading.onSkeleton(h, 0, 1));  // via the right neighbour
    EXPECT_TRUE(shading.onSkeleton(h, 1, 0));  // 0.75 itself lies on L(1)
    EXPECT_FALSE(shading.onSkeleton(h, 1, 1)); // 0.6 .. 0.59 and 0.6 .. 0.55: none
}

} // namespace
} // namespace lumi
