// Painting the wavefront plots at the largest grid (N = 128) into report-sized pictures.
// Target: map and surface each under 30 ms.
#include "analysis/wavefrontgrid.h"
#include "cli/offscreengui.h"
#include "optics/render/wavefrontmap.h"
#include "optics/render/wavefrontsurface.h"

#include <QImage>
#include <QPainter>

#include <benchmark/benchmark.h>

#include <cmath>
#include <memory>

namespace {

// Astigmatism, coma and spherical over an unobstructed pupil, N = 128.
std::unique_ptr<lumi::WavefrontGrid> sampleGrid() {
    auto grid = std::make_unique<lumi::WavefrontGrid>();
    const int n = 128;
    grid->gridCount = n;
    grid->peak = -1e9;
    grid->valley = 1e9;
    for (int r = 0; r <= n; ++r)
        for (int c = 0; c <= n; ++c) {
            const double x = lumi::WavefrontGrid::nodeCoordinate(c, n);
            const double y = lumi::WavefrontGrid::nodeCoordinate(r, n);
            const double rho2 = x * x + y * y;
            if (rho2 > 1.0)
                continue;
            const double w = 0.3 * (x * x - y * y) + 0.2 * (3 * rho2 - 2) * x +
                             0.1 * (6 * rho2 * rho2 - 6 * rho2 + 1);
            grid->at(r, c) = w;
            grid->peak = std::max(grid->peak, w);
            grid->valley = std::min(grid->valley, w);
        }
    grid->range = grid->peak - grid->valley;
    return grid;
}

void BM_WavefrontMap128(benchmark::State& state) {
    const lumi::cli::OffscreenGui gui;
    const auto grid = sampleGrid();
    QImage image(600, 600, QImage::Format_RGB32);
    for (auto _ : state) {
        QPainter p(&image);
        lumi::paintWavefrontMap(p, image.rect(), *grid);
        p.end();
        benchmark::DoNotOptimize(image.constBits());
    }
}
BENCHMARK(BM_WavefrontMap128)->Unit(benchmark::kMillisecond);

void BM_WavefrontSurface128(benchmark::State& state) {
    const lumi::cli::OffscreenGui gui;
    const auto grid = sampleGrid();
    lumi::WavefrontSurfaceOptions options;
    options.background =
        state.range(0) == 0 ? lumi::SurfaceBackground::White : lumi::SurfaceBackground::Black;
    QImage image(720, 660, QImage::Format_RGB32);
    for (auto _ : state) {
        QPainter p(&image);
        lumi::paintWavefrontSurface(p, image.rect(), *grid, options);
        p.end();
        benchmark::DoNotOptimize(image.constBits());
    }
}
BENCHMARK(BM_WavefrontSurface128)->Arg(0)->Arg(1)->ArgName("black")->Unit(benchmark::kMillisecond);

} // namespace
