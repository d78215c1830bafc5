// The whole-field analysis against fringes traced on the same photo, where the
// followed trace keeps to its fringes: the two fitted wavefronts agree.

#include "analysis/aberrationsummary.h"
#include "analysis/applycommand.h"
#include "fringe/fringetracer.h"
#include "phase/fourieranalysis.h"
#include "tools/samplegen/bathtracingfigures.h"

#include <gtest/gtest.h>

#include <cstdio>

namespace lumi::phase {
namespace {

// RMS (waves) over the pupil of the wavefront of coefficients `c`, tilt removed and
// power kept or removed.
double rmsOf(const ZernikeCoefficients& c, const ApertureCircle& aperture, bool removePower) {
    Measurement m;
    m.store.aperture = aperture;
    m.settings.input.setRemoved(RemovalGroup::Power, removePower);
    deriveAnalysisSettings(m.settings);
    m.results.coefficients = c;
    m.results = calcAberrations(m);
    return m.results.rms;
}

TEST(WholeFieldVsTraced, AgreeWhereTheTraceStaysOnItsFringes) {
    BathPhotoSetup setup;
    setup.tiltFringes = 35.0;
    setup.tiltAngleDeg = -30.0;
    setup.aberrationWaves = typicalMirrorWaves();
    const SampleRecipe r = markedBathRecipe(setup);
    const PixelGrid picture = pixelGridOf(renderBathPhoto(r));
    const ApertureCircle aperture{r.apertureXPx, r.apertureYPx, r.apertureRadiusPx};

    const Seeding seeding = seedsOnLine(r, setup, kBathSeedLines[0]);
    Measurement traced;
    traced.store.aperture = aperture;
    TraceOptions options;
    options.followFringe = true;
    ASSERT_EQ(FringeTracer(picture, aperture, {}, options).trace(seeding.seeds, traced.store),
              FringeTracer::Outcome::Traced);
    ASSERT_EQ(tracingFigures(r, traced.store, seeding).misassigned, 0);
    traced.results = runApply(traced).results;

    FourierOptions o;
    o.aperture = aperture;
    o.obstruction = ApertureCircle{};
    const FourierResult f = analyseWholeField(picture, o);
    Measurement whole;
    whole.store.aperture = aperture;
    whole.results = runApplyToSamples(whole, f.fit.samples, f.fringesAcrossPupil).results;

    ZernikeCoefficients difference{};
    for (std::size_t t = 0; t < difference.size(); ++t)
        difference[t] = traced.results.coefficients[t] - whole.results.coefficients[t];
    const double withPower = rmsOf(difference, aperture, false);
    const double withoutPower = rmsOf(difference, aperture, true);
    std::printf("whole field vs traced (%d points on %d fringes): RMS difference %.4f waves "
                "(tilt removed), %.4f (tilt and power removed); RMS %.4f vs %.4f\n",
                traced.store.totalPointCount(), traced.store.nonEmptyFringeCount(), withPower,
                withoutPower, traced.results.rms, whole.results.rms);
    EXPECT_LE(withPower, 0.01);
    EXPECT_LE(withoutPower, 0.01);
}

} // namespace
} // namespace lumi::phase
