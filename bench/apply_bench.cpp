// APPLY at its largest: 101 fringes x 200 points, 37 terms; and the sampler at
// the plots' largest grid.
#include "analysis/applycommand.h"
#include "analysis/fitdetermination.h"
#include "analysis/fitquality.h"
#include "analysis/fituncertainty.h"
#include "analysis/normalequations.h"
#include "analysis/summaryuncertainty.h"
#include "analysis/wavefrontsampler.h"
#include "analysis/zernikefit.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <random>

namespace {

lumi::Measurement fullStore() {
    lumi::Measurement m;
    m.store.aperture = {400.0, 300.0, 250.0};
    std::mt19937 rng(2024u);
    std::uniform_real_distribution<double> u(-1.0, 1.0);
    for (int f = 0; f < lumi::FringeStore::kFringesInUse; ++f) {
        for (int p = 0; p < lumi::FringeStore::kMaxPointsPerFringe;) {
            const double x = u(rng), y = u(rng);
            if (x * x + y * y > 1.0)
                continue;
            m.store.addPoint(f, 400.0 + 250.0 * x, 300.0 + 250.0 * y);
            ++p;
        }
    }
    m.settings.input.zernikeTerms = 37;
    return m;
}

// Keeps the settings and results of an APPLY of m.
void applied(lumi::Measurement& m) {
    const lumi::ApplyOutcome out = lumi::runApply(m);
    m.settings = out.settings;
    m.results = out.results;
}

void BM_Apply37Terms20200Points(benchmark::State& state) {
    lumi::Measurement m = fullStore();
    for (auto _ : state) {
        const lumi::ApplyOutcome out = lumi::runApply(m);
        benchmark::DoNotOptimize(out.results.coefficients.data());
    }
    state.counters["points"] = m.store.totalPointCount();
}
BENCHMARK(BM_Apply37Terms20200Points)->Unit(benchmark::kMillisecond);

// The fit-quality findings APPLY adds in the window and the command line.
void BM_FitQuality37Terms20200Points(benchmark::State& state) {
    lumi::Measurement m = fullStore();
    applied(m);
    for (auto _ : state) {
        const auto findings = lumi::assessFitQuality(m);
        benchmark::DoNotOptimize(findings.data());
    }
}
BENCHMARK(BM_FitQuality37Terms20200Points)->Unit(benchmark::kMillisecond);

void BM_NormalEquations37Terms20200Points(benchmark::State& state) {
    const lumi::Measurement m = fullStore();
    const auto samples = lumi::fringeSamples(m.store, 0.5f);
    for (auto _ : state) {
        lumi::NormalEquations eq = lumi::buildNormalEquations(samples, 37);
        lumi::solveNormalEquations(eq);
        benchmark::DoNotOptimize(eq.rhs.data());
    }
}
BENCHMARK(BM_NormalEquations37Terms20200Points)->Unit(benchmark::kMillisecond);

void BM_SampleWavefront(benchmark::State& state) {
    lumi::Measurement m = fullStore();
    applied(m);
    m.settings.input.removalFlags.fill(false);
    const int n = static_cast<int>(state.range(0));
    for (auto _ : state) {
        const auto grid = lumi::sampleWavefrontGrid(m, n);
        benchmark::DoNotOptimize(grid->range);
    }
}
BENCHMARK(BM_SampleWavefront)->Arg(32)->Arg(128)->Unit(benchmark::kMillisecond);

} // namespace

namespace {

// What the window and analyze add after APPLY: the standard errors and the
// summary's 1 sigma (256 Monte-Carlo draws for P-V), and the determination
// check alone (part of the fit-quality findings above).
void BM_Uncertainty37Terms20200Points(benchmark::State& state) {
    lumi::Measurement m = fullStore();
    applied(m);
    for (auto _ : state) {
        const auto fit = lumi::fitUncertainty(m.store, m.settings.wavesPerFringe,
                                              m.results.fittedCoefficients, m.settings.highestTerm);
        const auto summary = lumi::summaryUncertainty(fit, m.results.grid, m.settings);
        benchmark::DoNotOptimize(summary.peakToValley);
    }
}
BENCHMARK(BM_Uncertainty37Terms20200Points)->Unit(benchmark::kMillisecond);

void BM_FitDetermination37Terms20200Points(benchmark::State& state) {
    const lumi::Measurement m = fullStore();
    const auto samples = lumi::fringeSamples(m.store, 0.5f);
    for (auto _ : state) {
        const auto d = lumi::assessFitDetermination(samples, m.store.aperture.radiusPx, 37);
        benchmark::DoNotOptimize(d.largestAmplification);
    }
}
BENCHMARK(BM_FitDetermination37Terms20200Points)->Unit(benchmark::kMillisecond);

} // namespace
