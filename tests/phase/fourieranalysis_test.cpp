#include "analysis/aberrationsummary.h"
#include "analysis/applycommand.h"
#include "phase/fourieranalysis.h"
#include "phase/phaseerror.h"
#include "support/casename.h"
#include "tools/samplegen/bathphoto.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <numbers>
#include <string>

namespace lumi::phase {
namespace {

// P-V and RMS as APPLY reports them, tilt and power removed.
Measurement summaryOf(const ZernikeCoefficients& c, const SampleRecipe& r, bool obstructed) {
    Measurement m;
    m.store.aperture = {r.apertureXPx, r.apertureYPx, r.apertureRadiusPx};
    if (obstructed)
        m.store.obstruction = {r.obstructionXPx, r.obstructionYPx, r.obstructionRadiusPx};
    deriveAnalysisSettings(m.settings);
    m.results.coefficients = c;
    m.results = calcAberrations(m);
    return m;
}

struct PhotoCase {
    const char* name;
    int width;
    int height;
    double fringes;
    double angleDeg;
    bool obstructed;
};

class WholeField : public ::testing::TestWithParam<PhotoCase> {};

TEST_P(WholeField, FindsTheApertureAndTheMirrorsWavefront) {
    const PhotoCase& c = GetParam();
    BathPhotoSetup setup;
    setup.widthPx = c.width;
    setup.heightPx = c.height;
    setup.tiltFringes = c.fringes;
    setup.tiltAngleDeg = c.angleDeg;
    setup.obstructed = c.obstructed;
    setup.aberrationWaves = typicalMirrorWaves();
    const SampleRecipe recipe = bathPhotoRecipe(setup);
    FourierOptions o;
    o.termCount = 25;
    o.wavesPerFringe = setup.wavesPerFringe;
    const FourierResult r = analyseWholeField(pixelGridOf(renderBathPhoto(recipe)), o);

    const double radius = recipe.apertureRadiusPx;
    EXPECT_NEAR(r.aperture.radiusPx, radius, 0.005 * radius);
    EXPECT_NEAR(r.aperture.centerXPx, recipe.apertureXPx, 0.005 * radius);
    EXPECT_NEAR(r.aperture.centerYPx, recipe.apertureYPx, 0.005 * radius);
    if (c.obstructed)
        EXPECT_NEAR(r.obstruction.radiusPx, recipe.obstructionRadiusPx, 0.01 * radius);
    else
        EXPECT_EQ(r.obstruction.radiusPx, 0.0);
    EXPECT_GT(r.unwrappedShare, 0.95);

    Measurement m;
    m.store.aperture = r.aperture;
    m.store.obstruction = r.obstruction;
    m.results = runApplyToSamples(m, r.fit.samples, r.fringesAcrossPupil).results;
    const ZernikeCoefficients truth = typicalMirrorWaves();
    for (std::size_t t = 4; t <= 8; ++t)
        EXPECT_NEAR(m.results.coefficients[t], truth[t], 0.005) << "term " << t;
    const Measurement expected = summaryOf(truth, recipe, c.obstructed);
    EXPECT_NEAR(m.results.rms, expected.results.rms, 0.003);
    EXPECT_NEAR(m.results.peakToValley, expected.results.peakToValley, 0.03);
}

INSTANTIATE_TEST_SUITE_P(
    Photos, WholeField,
    ::testing::Values(PhotoCase{"800x600 40 fringes", 800, 600, 40.0, 20.0, false},
                      PhotoCase{"800x600 90 fringes obstructed", 800, 600, 90.0, -35.0, true},
                      PhotoCase{"1200x900 30 fringes horizontal", 1200, 900, 30.0, 90.0, false}),
    lumi::test::ByName());

// Fork fringes: tilt fringes with phase vortices of either sign, whose cut lines no
// unwrapping can remove. Above the limit the analysis refuses and names the share.
TEST(WholeField, RefusesAPupilThatCannotBeUnwrappedNamingTheShare) {
    const int w = 600, h = 600;
    PixelGrid picture(w, h);
    const struct {
        double x, y, charge;
    } vortices[] = {{230, 250, 1}, {370, 260, -1}, {260, 380, -1}, {360, 360, 1}};
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            double phase = 2.0 * std::numbers::pi * x / 12.0;
            for (const auto& v : vortices)
                phase += v.charge * std::atan2(y - v.y, x - v.x);
            const auto level =
                static_cast<std::uint8_t>(std::lround(120.0 + 100.0 * std::cos(phase)));
            picture.at(x, y) = {0, 0, level};
        }
    FourierOptions o;
    o.aperture = ApertureCircle{300.0, 300.0, 250.0};
    o.maxFailedShare = 0.001;
    try {
        analyseWholeField(picture, o);
        FAIL() << "no refusal";
    } catch (const PhaseError& e) {
        EXPECT_EQ(e.kind(), PhaseError::Kind::UnwrapFailed) << e.what();
        EXPECT_TRUE(std::string(e.what()).starts_with("Unwrapping failed over ")) << e.what();
        EXPECT_TRUE(std::string(e.what()).ends_with("% of the pupil (at most 0.1 % may fail)"))
            << e.what();
    }
}

} // namespace
} // namespace lumi::phase
