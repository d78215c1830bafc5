#include "analysis/zernike.h"
#include "phase/phaseerror.h"
#include "phase/pupilphasefit.h"
#include "support/casename.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

namespace lumi::phase {
namespace {

ZernikeCoefficients truthWaves() {
    ZernikeCoefficients c{};
    c[0] = 0.2;
    c[1] = 3.0;
    c[2] = -1.5;
    c[3] = 0.4;
    c[4] = -0.12;
    c[5] = 0.07;
    c[6] = 0.05;
    c[7] = -0.03;
    c[8] = 0.09;
    return c;
}

struct FitCase {
    const char* name;
    bool invert;
    bool removeTilt;
    double obstructionRadius; // picture pixels
};

class PupilFit : public ::testing::TestWithParam<FitCase> {};

// A 2-pixel grid placed at (10, 6) on the picture, aperture (110, 96) radius 80:
// the phase of a known wavefront (1 wave per fringe = 2 pi) comes back as its terms.
TEST_P(PupilFit, RecoversTheTermsOfAKnownPhase) {
    const FitCase& c = GetParam();
    PupilPhaseFitInput in;
    in.aperture = {110.0, 96.0, 80.0};
    in.obstruction = {110.0, 96.0, c.obstructionRadius};
    in.wavesPerFringe = 0.5;
    in.termCount = 9;
    in.invert = c.invert;
    in.removeTilt = c.removeTilt;
    in.placement = {10.0, 6.0, 2.0};
    in.maxSamples = 3000;
    const ZernikeCoefficients truth = truthWaves();
    PhaseField f{100, 92, {}, {}, {}};
    for (int y = 0; y < f.height; ++y)
        for (int x = 0; x < f.width; ++x) {
            const double px = 10.0 + 2.0 * x, py = 6.0 + 2.0 * y;
            const double w = zernikeSum(truth, 9, (px - 110.0) / 80.0, (py - 96.0) / 80.0);
            f.phaseRad.push_back(w / 0.5 * 2.0 * std::numbers::pi);
            f.quality.push_back(1.0f);
            f.inPupil.push_back(1);
        }
    const PupilPhaseFit fit = fitPupilPhase(f, in);
    EXPECT_LE(fit.samples.size(), 3000u);
    EXPECT_GT(fit.samples.size(), 1000u);
    const double sign = c.invert ? -1.0 : 1.0;
    for (int t = 0; t < 9; ++t) {
        const bool tilt = t == 1 || t == 2;
        const double expected =
            (c.removeTilt && tilt) ? 0.0 : sign * truth[static_cast<std::size_t>(t)];
        EXPECT_NEAR(fit.coefficientsWaves[static_cast<std::size_t>(t)], expected, 1e-9)
            << "term " << t;
    }
    EXPECT_LT(fit.residualRmsWaves, 1e-9);
    for (const ZernikeSample& s : fit.samples) {
        ASSERT_LE(std::hypot(s.x, s.y), 1.0);
        ASSERT_GE(std::hypot(s.x, s.y) * 80.0, c.obstructionRadius);
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, PupilFit,
                         ::testing::Values(FitCase{"plain", false, false, 0.0},
                                           FitCase{"inverted", true, false, 0.0},
                                           FitCase{"tilt removed obstructed", false, true, 25.0}),
                         lumi::test::ByName());

TEST(PupilFit, RefusesTooFewPixelsAndBadSettings) {
    PhaseField f{4, 4, std::vector<double>(16), std::vector<float>(16, 1.0f),
                 std::vector<std::uint8_t>(16, 1)};
    PupilPhaseFitInput in;
    in.aperture = {2.0, 2.0, 3.0};
    in.termCount = 9; // 16 pixels < 18
    EXPECT_THROW(fitPupilPhase(f, in), PhaseError);
    in.termCount = 38;
    EXPECT_THROW(fitPupilPhase(f, in), PhaseError);
    in.termCount = 3;
    in.aperture.radiusPx = 0.0;
    EXPECT_THROW(fitPupilPhase(f, in), PhaseError);
}

} // namespace
} // namespace lumi::phase
