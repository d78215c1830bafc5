// The MTF command's computation at N = 128: pupil into a 256 x 256 field,
// two 2-D transforms with the intensity between them, absolute values, cuts.
// Run: build/bench/mtf_bench --benchmark_min_time=0.5s

#include "bench/benchgrids.h"
#include "optics/fieldtransform.h"
#include "optics/modulationtransfer.h"

#include <benchmark/benchmark.h>

#include <memory>

namespace {

using namespace lumi;

void BM_MtfCommand(benchmark::State& state) {
    const int n = static_cast<int>(state.range(0));
    const auto grid = bench::aberratedGrid(n);
    auto field = std::make_unique<ComplexField>();
    FieldTransform transform;
    for (auto _ : state) {
        auto mtf = computeModulationTransfer(*grid, 1.0, *field, transform);
        benchmark::DoNotOptimize(mtf.tangential.data());
    }
}
BENCHMARK(BM_MtfCommand)->Arg(32)->Arg(64)->Arg(128)->Unit(benchmark::kMillisecond);

} // namespace
