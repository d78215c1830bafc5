// Ideal conic of an aspheric APPLY: 812 real rays through a paraboloid at its centre
// of curvature (iterative intersection to 1e-8 mm), then the Zernike fit of their OPD.
// Target: under 5 ms for trace + fit.
#include "analysis/idealconicfit.h"

#include <benchmark/benchmark.h>

namespace {

lumi::AnalysisSettings paraboloid(int highestTerm) {
    lumi::AnalysisSettings s;
    s.input.analysisType = lumi::AnalysisType::Aspheric;
    s.input.surfaceDiameterMm = 200.0;
    s.input.curvatureRadiusMm = 2000.0;
    s.input.targetConic = -1.0;
    s.highestTerm = highestTerm;
    return s;
}

void BM_IdealConicTraceAndFit(benchmark::State& state) {
    const lumi::AnalysisSettings s = paraboloid(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        benchmark::DoNotOptimize(lumi::computeIdealConic(s));
    }
}
BENCHMARK(BM_IdealConicTraceAndFit)->Arg(24)->Arg(36)->Unit(benchmark::kMillisecond);

void BM_IdealConicTraceOnly(benchmark::State& state) {
    lumi::IdealConicFit fit(lumi::IdealConicModel::fromSettings(paraboloid(24)));
    for (auto _ : state) {
        fit.trace();
        benchmark::DoNotOptimize(fit.opdWaves(16, 16));
    }
}
BENCHMARK(BM_IdealConicTraceOnly)->Unit(benchmark::kMillisecond);

} // namespace
