// "Update Synthetic" on the 256 x 256 grid with all 37 terms: heights on 257 x 257
// nodes, then the shading into a picture. Target: under 20 ms. The ideal
// interferogram with its skeleton (128 x 128) for comparison.
#include "analysis/idealinterferogram.h"
#include "analysis/syntheticinterferogram.h"

#include <benchmark/benchmark.h>

namespace {

lumi::Measurement mixedWavefront() {
    lumi::Measurement m;
    m.store.aperture = {300.0, 300.0, 250.0};
    m.settings.highestTerm = 36;
    for (std::size_t t = 1; t <= 36; ++t) {
        m.results.coefficients[t] = 0.05 * static_cast<double>((t % 7) + 1);
    }
    m.results.coefficients[1] = 3.0;
    m.results.coefficients[3] = 2.0;
    m.results.idealConicCoefficients[8] = -0.8;
    return m;
}

void BM_Synthetic(benchmark::State& state) {
    lumi::Measurement m = mixedWavefront();
    lumi::SyntheticOptions o;
    o.gridSize = static_cast<int>(state.range(0));
    for (auto _ : state) {
        benchmark::DoNotOptimize(lumi::SyntheticInterferogram::draw(m, o));
    }
}
BENCHMARK(BM_Synthetic)->Arg(64)->Arg(128)->Arg(256)->Unit(benchmark::kMillisecond);

void BM_IdealWithSkeleton(benchmark::State& state) {
    lumi::Measurement m = mixedWavefront();
    lumi::SyntheticOptions o;
    for (auto _ : state) {
        benchmark::DoNotOptimize(lumi::IdealInterferogram::draw(m, o));
    }
}
BENCHMARK(BM_IdealWithSkeleton)->Unit(benchmark::kMillisecond);

} // namespace
