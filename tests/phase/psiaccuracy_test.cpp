// The phase-shifting analysis on generated frame sets that look like real ones
// (uneven light, speckle, a bright halo, blur, sensor noise, steps off by up to
// 10 degrees): the fitted wavefront, its RMS and the estimated steps against the
// truth, and two halves of one set against each other. Prints the figures.

#include "analysis/aberrationsummary.h"
#include "analysis/applycommand.h"
#include "phase/phaseshiftanalysis.h"
#include "phase/psiframes.h"
#include "support/casename.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <map>
#include <numbers>

namespace lumi::phase {
namespace {

constexpr double kDeg = std::numbers::pi / 180.0;

// One rendered set per frame count, shared by the cases (rendering is the slow part).
struct RenderedSet {
    PhaseFrameSet set;
    std::vector<RgbImage> frames;
};
const RenderedSet& renderedSet(int frameCount) {
    static std::map<int, RenderedSet> cache;
    auto it = cache.find(frameCount);
    if (it == cache.end()) {
        RenderedSet r;
        r.set = makePhaseFrameSet(frameCount, 10.0, 20261209u + static_cast<unsigned>(frameCount),
                                  phaseFrameSetWavefront());
        r.frames = renderPhaseFrames(r.set);
        it = cache.emplace(frameCount, std::move(r)).first;
    }
    return it->second;
}

ApertureCircle trueAperture(const SampleRecipe& r) {
    return {r.apertureXPx, r.apertureYPx, r.apertureRadiusPx};
}

// RMS of `fitted` (waves) as APPLY's summary gives it over `aperture`.
double summaryRms(const ZernikeCoefficients& fitted, const ApertureCircle& aperture) {
    FringeStore pupil;
    pupil.aperture = aperture;
    AnalysisSettings settings;
    deriveAnalysisSettings(settings);
    AnalysisResults results;
    results.coefficients = fitted;
    return calcAberrations(settings, results, pupil).rms;
}

struct AccuracyCase {
    std::string name;
    int frames;
    bool estimate;     // steps from the frames, else the true steps given
    bool autoAperture; // pupil from the modulation, else the true circle given
};

class PsiAccuracy : public ::testing::TestWithParam<AccuracyCase> {};

TEST_P(PsiAccuracy, RecoversWavefrontAndSteps) {
    const AccuracyCase& c = GetParam();
    const RenderedSet& r = renderedSet(c.frames);
    const ApertureCircle truth = trueAperture(r.set.recipe);
    PhaseShiftRequest request;
    if (!c.estimate)
        for (double d : r.set.stepsDeg)
            request.stepsRad.push_back(d * kDeg);
    if (!c.autoAperture)
        request.aperture = truth;
    const PhaseShiftAnalysis a = analysePhaseShift(test::framesOf(r.frames), request);

    double worstStepDeg = 0.0;
    for (std::size_t k = 0; k < r.set.stepsDeg.size(); ++k)
        worstStepDeg = std::max(worstStepDeg, std::abs(a.stepsRad[k] / kDeg - r.set.stepsDeg[k]));
    double worstTerm = 0.0;
    for (std::size_t t = 4; t <= 8; ++t)
        worstTerm = std::max(
            worstTerm, std::abs(a.fit.coefficientsWaves[t] - r.set.recipe.coefficientsWaves[t]));
    const double trueRms = summaryRms(r.set.recipe.coefficientsWaves, truth);
    const double rmsError = std::abs(summaryRms(a.fit.coefficientsWaves, a.aperture) - trueRms);
    std::printf("%-26s terms 4..8 %.5f  RMS %.5f (of %.4f)  steps %.3f deg  radius %.2f "
                "(true %.2f)  residual %.4f\n",
                c.name.c_str(), worstTerm, rmsError, trueRms, worstStepDeg, a.aperture.radiusPx,
                truth.radiusPx, a.fit.residualRmsWaves);
    EXPECT_LT(worstTerm, 0.002);
    EXPECT_LT(rmsError, 0.002);
    EXPECT_LT(worstStepDeg, 2.0);
}

INSTANTIATE_TEST_SUITE_P(Sets, PsiAccuracy,
                         ::testing::Values(AccuracyCase{"known_4_frames", 4, false, false},
                                           AccuracyCase{"estimated_4_frames", 4, true, false},
                                           AccuracyCase{"known_12_frames", 12, false, false},
                                           AccuracyCase{"estimated_12_frames", 12, true, false},
                                           AccuracyCase{"estimated_12_auto_aperture", 12, true,
                                                        true}),
                         test::ByName{});

// Frames 1..6 and 7..12 of one set, each with estimated steps, see the same wavefront.
TEST(PsiAccuracy, HalvesOfOneSetAgree) {
    const RenderedSet& r = renderedSet(12);
    PhaseShiftRequest request;
    request.aperture = trueAperture(r.set.recipe);
    const PhaseShiftAnalysis first = analysePhaseShift(test::framesOf(r.frames, 0, 6), request);
    const PhaseShiftAnalysis second = analysePhaseShift(test::framesOf(r.frames, 6, 6), request);
    double worst = 0.0;
    for (std::size_t t = 3; t <= 8; ++t)
        worst = std::max(
            worst, std::abs(first.fit.coefficientsWaves[t] - second.fit.coefficientsWaves[t]));
    std::printf("halves 1..6 vs 7..12: terms 3..8 differ by %.5f wave at most\n", worst);
    EXPECT_LT(worst, 0.002);
}

} // namespace
} // namespace lumi::phase
