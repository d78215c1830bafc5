// Whole-field Fourier-transform analysis of generated Bath-style photographs: the
// time of the whole pipeline (aperture, transforms, unwrapping, fit and APPLY's
// summary) and, as counters, how far its results lie from the known answers.

#include "analysis/aberrationsummary.h"
#include "analysis/applycommand.h"
#include "phase/fourieranalysis.h"
#include "tools/samplegen/bathphoto.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <memory>

namespace {

using namespace lumi;

struct Photo {
    SampleRecipe recipe;
    PixelGrid grid;
};

// Photo k of the table below, rendered on first use (several seconds at 6000 x 4000).
struct PhotoCase {
    int width, height;
    double fringes, angleDeg;
    bool obstructed;
};
constexpr PhotoCase kCases[] = {
    {800, 600, 30, 10, false},   {800, 600, 100, -30, true},  {2000, 2000, 60, 25, false},
    {2000, 2000, 100, 80, true}, {6000, 4000, 60, 20, false}, {6000, 4000, 100, -15, true},
};

const Photo& photo(int k) {
    static std::map<int, std::unique_ptr<Photo>> cache;
    auto& slot = cache[k];
    if (!slot) {
        const PhotoCase& c = kCases[k];
        BathPhotoSetup setup;
        setup.widthPx = c.width;
        setup.heightPx = c.height;
        setup.tiltFringes = c.fringes;
        setup.tiltAngleDeg = c.angleDeg;
        setup.obstructed = c.obstructed;
        setup.aberrationWaves = typicalMirrorWaves();
        slot = std::make_unique<Photo>();
        slot->recipe = bathPhotoRecipe(setup);
        slot->grid = pixelGridOf(renderBathPhoto(slot->recipe));
    }
    return *slot;
}

// The whole analysis of one photo into `m`, as the command line runs it.
void analyse(const PixelGrid& grid, phase::FourierResult& r, Measurement& m) {
    deriveAnalysisSettings(m.settings);
    phase::FourierOptions o;
    o.termCount = m.settings.highestTerm + 1;
    o.wavesPerFringe = static_cast<double>(m.settings.wavesPerFringe);
    r = phase::analyseWholeField(grid, o);
    m.store.aperture = r.aperture;
    m.store.obstruction = r.obstruction;
    const ApplyOutcome out = runApplyToSamples(m, r.fit.samples, r.fringesAcrossPupil);
    m.settings = out.settings;
    m.results = out.results;
}

void BM_WholeField(benchmark::State& state) {
    const int k = static_cast<int>(state.range(0));
    const Photo& p = photo(k);
    phase::FourierResult r;
    auto m = std::make_unique<Measurement>();
    for (auto _ : state) {
        analyse(p.grid, r, *m);
        benchmark::DoNotOptimize(m->results.rms);
    }
    // Errors against the answer, summarised the same way.
    Measurement truth;
    deriveAnalysisSettings(truth.settings);
    const SampleRecipe& rc = p.recipe;
    truth.store.aperture = {rc.apertureXPx, rc.apertureYPx, rc.apertureRadiusPx};
    if (kCases[k].obstructed)
        truth.store.obstruction = {rc.obstructionXPx, rc.obstructionYPx, rc.obstructionRadiusPx};
    truth.results.coefficients = rc.coefficientsWaves;
    truth.results.coefficients[1] = truth.results.coefficients[2] = 0.0; // the carrier
    truth.results = calcAberrations(truth);
    double termError = 0.0;
    for (std::size_t t = 4; t <= 8; ++t)
        termError =
            std::max(termError, std::fabs(m->results.coefficients[t] - rc.coefficientsWaves[t]));
    const double radius = rc.apertureRadiusPx;
    state.counters["apertureErrPct"] = 100.0 *
                                       std::max({std::fabs(r.aperture.centerXPx - rc.apertureXPx),
                                                 std::fabs(r.aperture.centerYPx - rc.apertureYPx),
                                                 std::fabs(r.aperture.radiusPx - radius)}) /
                                       radius;
    state.counters["terms4to8Err"] = termError;
    state.counters["rmsErr"] = std::fabs(m->results.rms - truth.results.rms);
    state.counters["pvErr"] = std::fabs(m->results.peakToValley - truth.results.peakToValley);
    state.counters["unwrapped"] = r.unwrappedShare;
    state.counters["residualRms"] = r.fit.residualRmsWaves;
    const PhotoCase& c = kCases[k];
    state.SetLabel(std::to_string(c.width) + "x" + std::to_string(c.height) + " " +
                   std::to_string(static_cast<int>(c.fringes)) + " fringes" +
                   (c.obstructed ? " obstructed" : ""));
}
// Process CPU time: FFTW's worker threads count too.
BENCHMARK(BM_WholeField)
    ->DenseRange(0, 5)
    ->Unit(benchmark::kMillisecond)
    ->MeasureProcessCPUTime()
    ->UseRealTime();

} // namespace
