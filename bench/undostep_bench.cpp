// The fringe-data work of one undo step on a full store (101 fringes x 200 points, the most
// the window holds): the copy taken at the mouse press, the comparison at the release that
// makes the delta, and replaying it. A click changes one fringe; "Reverse" changes all 101.
#include "fringe/fringestore.h"
#include "fringe/fringestoredelta.h"

#include <benchmark/benchmark.h>

#include <memory>

namespace {

std::unique_ptr<lumi::FringeStore> fullStore() {
    auto s = std::make_unique<lumi::FringeStore>();
    s->aperture = {3000.0, 2000.0, 1900.0};
    for (int f = 0; f < lumi::FringeStore::kFringesInUse; ++f)
        for (int p = 0; p < lumi::FringeStore::kMaxPointsPerFringe - (f == 0 ? 1 : 0); ++p)
            s->addPoint(f, 1100.0 + 37.5 * f, 100.0 + 19.0 * p);
    return s;
}

// Press: copy; the click adds a point; release: compare.
void BM_ClickStep(benchmark::State& state) {
    auto store = fullStore();
    auto before = std::make_unique<lumi::FringeStore>();
    for (auto _ : state) {
        *before = *store;
        store->addPoint(0, 1000.0, 1000.0);
        const lumi::FringeStoreDelta d = lumi::FringeStoreDelta::between(*before, *store);
        benchmark::DoNotOptimize(d.changedFringeCount());
        state.PauseTiming();
        store->removePoint(0, 200);
        state.ResumeTiming();
    }
}
BENCHMARK(BM_ClickStep)->Unit(benchmark::kMicrosecond);

void BM_ReverseStepAndUndoRedo(benchmark::State& state) {
    auto store = fullStore();
    auto before = std::make_unique<lumi::FringeStore>();
    for (auto _ : state) {
        *before = *store;
        store->reverseFringeOrder();
        const lumi::FringeStoreDelta d = lumi::FringeStoreDelta::between(*before, *store);
        d.revertOn(*store);
        d.applyTo(*store);
        benchmark::DoNotOptimize(d.pointBytes());
    }
}
BENCHMARK(BM_ReverseStepAndUndoRedo)->Unit(benchmark::kMicrosecond);

} // namespace
