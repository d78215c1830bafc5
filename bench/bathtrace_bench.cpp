// Autotracing of generated Bath photographs (60 curved tilt fringes of red laser light,
// centre mark 25 px across, a dozen saturated specks, speckle, uneven light, halo; fringe periods 6
// to 16 px at 800 x 600, scaled with the picture at 6000 x 4000), from one seed per fringe on each
// of five seed lines, with the specified trace and with "--follow". Besides the time, each
// run reports the accuracy figures of its last trace as counters: misassigned points
// (half a period or more from their own fringe), the worst distance in periods, and the
// fit's P-V and worst term 4..8 errors against the generating wavefront (waves).
#include "fringe/fringetracer.h"
#include "tools/samplegen/bathtracingfigures.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <map>
#include <utility>

namespace {

struct Photo {
    lumi::BathPhotoSetup setup;
    lumi::SampleRecipe recipe;
    lumi::PixelGrid picture;
};

const Photo& photo(int width, int height) {
    static std::map<std::pair<int, int>, Photo> cache;
    auto it = cache.find({width, height});
    if (it == cache.end()) {
        Photo p;
        lumi::ZernikeCoefficients mirror{};
        mirror[3] = 0.8;
        mirror[4] = 0.25;
        mirror[5] = -0.1;
        mirror[6] = 0.12;
        mirror[7] = -0.08;
        mirror[8] = 0.35;
        p.setup = {width, height, 60.0, 15.0, false, 0.5, mirror, 7};
        p.recipe = lumi::markedBathRecipe(p.setup);
        p.picture = lumi::pixelGridOf(lumi::renderBathPhoto(p.recipe));
        it = cache.emplace(std::make_pair(width, height), std::move(p)).first;
    }
    return it->second;
}

// Arguments: width, height, seed line 0..4, follow 0/1.
void BM_BathTrace(benchmark::State& state) {
    const Photo& p = photo(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
    const lumi::Seeding seeding = lumi::seedsOnLine(
        p.recipe, p.setup, lumi::kBathSeedLines[static_cast<std::size_t>(state.range(2))]);
    const lumi::ApertureCircle aperture{p.recipe.apertureXPx, p.recipe.apertureYPx,
                                        p.recipe.apertureRadiusPx};
    lumi::TraceOptions options;
    options.followFringe = state.range(3) != 0;
    const lumi::FringeTracer tracer(p.picture, aperture, {}, options);
    lumi::FringeStore store;
    for (auto _ : state) {
        store = lumi::FringeStore{};
        store.aperture = aperture;
        tracer.trace(seeding.seeds, store);
        benchmark::DoNotOptimize(store);
    }
    const lumi::TracingFigures f = lumi::tracingFigures(p.recipe, store, seeding);
    state.counters["seeds"] = static_cast<double>(seeding.seeds.size());
    state.counters["points"] = f.points;
    state.counters["misassigned"] = f.misassigned;
    state.counters["worstPeriods"] = f.worstPeriods;
    state.counters["pvErr"] = f.pvErrorWaves;
    state.counters["termErr"] = f.worstTermErrorWaves;
}

void bathArgs(benchmark::internal::Benchmark* b) {
    b->ArgNames({"w", "h", "line", "follow"});
    for (const auto& [w, h] : {std::pair{800, 600}, std::pair{6000, 4000}})
        for (int line = 0; line < 5; ++line)
            for (int follow = 0; follow <= 1; ++follow)
                b->Args({w, h, line, follow});
}
BENCHMARK(BM_BathTrace)->Apply(bathArgs)->Unit(benchmark::kMillisecond);

} // namespace
