// Autotracing of a generated photograph: tilted straight fringes with a smooth speckle-like
// ripple, 10 or 20 of them across the aperture, one seed per fringe on a line across them.
// The window's copy of its picture into a pixel grid before tracing is a straight copy of
// the same size as BM_PixelGridCopy.
#include "fringe/fringeoptimizer.h"
#include "fringe/fringetracer.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <map>
#include <numbers>
#include <tuple>
#include <vector>

namespace {

struct Photo {
    lumi::PixelGrid picture;
    lumi::ApertureCircle aperture;
    std::vector<lumi::ImagePoint> seeds;
};

// Dark fringes where (x cos a + y sin a) / period is a whole number plus one half.
Photo makePhoto(int width, int height, int fringes) {
    Photo p;
    p.picture = lumi::PixelGrid(width, height);
    const double cx = width / 2.0;
    const double cy = height / 2.0;
    const double radius = 0.45 * std::min(width, height);
    p.aperture = {cx, cy, radius};
    const double period = 2.0 * radius / fringes;
    const double angle = 0.3;
    const double ux = std::cos(angle);
    const double uy = std::sin(angle);
    std::uint32_t state = 12345;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const double s = ((x - cx) * ux + (y - cy) * uy) / period;
            state = state * 1664525u + 1013904223u;
            const double noise = static_cast<double>(state >> 24) / 255.0 - 0.5;
            const double light = 0.5 * (1.0 + std::cos(2.0 * std::numbers::pi * s)) + 0.15 * noise;
            const auto v =
                static_cast<std::uint8_t>(std::lround(std::clamp(light, 0.0, 1.0) * 200));
            p.picture.at(x, y) = {v, v, v};
        }
    for (int k = 0; k < fringes; ++k) {
        const double s = -fringes / 2.0 + k + 0.5; // dark centre lines
        p.seeds.push_back(
            {std::nearbyint(cx + s * period * ux), std::nearbyint(cy + s * period * uy)});
    }
    return p;
}

const Photo& photo(int width, int height, int fringes) {
    static std::map<std::tuple<int, int, int>, Photo> cache;
    auto key = std::make_tuple(width, height, fringes);
    auto it = cache.find(key);
    if (it == cache.end())
        it = cache.emplace(key, makePhoto(width, height, fringes)).first;
    return it->second;
}

void BM_Trace(benchmark::State& state) {
    const Photo& p = photo(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)),
                           static_cast<int>(state.range(2)));
    const lumi::FringeTracer tracer(p.picture, p.aperture, {});
    int points = 0;
    for (auto _ : state) {
        lumi::FringeStore store;
        store.aperture = p.aperture;
        tracer.trace(p.seeds, store);
        points = store.totalPointCount();
        benchmark::DoNotOptimize(points);
    }
    state.counters["points"] = points;
}
BENCHMARK(BM_Trace)
    ->ArgNames({"w", "h", "fringes"})
    ->Args({800, 600, 10})
    ->Args({800, 600, 20})
    ->Args({6000, 4000, 10})
    ->Args({6000, 4000, 20})
    ->Unit(benchmark::kMillisecond);

void BM_TraceAndOptimize(benchmark::State& state) {
    const Photo& p = photo(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)),
                           static_cast<int>(state.range(2)));
    const lumi::FringeTracer tracer(p.picture, p.aperture, {});
    const lumi::FringeOptimizer optimizer(p.picture);
    for (auto _ : state) {
        lumi::FringeStore store;
        store.aperture = p.aperture;
        tracer.trace(p.seeds, store);
        for (int f = 0; f < static_cast<int>(p.seeds.size()); ++f)
            optimizer.optimize(store, f);
        benchmark::DoNotOptimize(store);
    }
}
BENCHMARK(BM_TraceAndOptimize)
    ->ArgNames({"w", "h", "fringes"})
    ->Args({800, 600, 20})
    ->Args({6000, 4000, 20})
    ->Unit(benchmark::kMillisecond);

void BM_PixelGridCopy(benchmark::State& state) {
    const Photo& p = photo(6000, 4000, 20);
    for (auto _ : state) {
        lumi::PixelGrid copy = p.picture;
        benchmark::DoNotOptimize(copy);
    }
}
BENCHMARK(BM_PixelGridCopy)->Unit(benchmark::kMillisecond);

} // namespace
