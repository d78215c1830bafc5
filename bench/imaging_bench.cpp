// Image operations on a 6000 x 4000 camera photo (24 megapixels), as the window
// and "lumivorexan-cli image" run them. Compare with bench/imagemagick_compare.sh.
#include "imaging/imageoperation.h"

#include <benchmark/benchmark.h>

#include <cmath>

namespace {

using lumi::ImageOperation;
using Kind = ImageOperation::Kind;

// A fringe-like photo: smooth rings with some colour, every row different.
lumi::PixelGrid makePhoto(int widthPx, int heightPx) {
    lumi::PixelGrid g(widthPx, heightPx);
    const double cx = widthPx / 2.0;
    const double cy = heightPx / 2.0;
    const double k = 2e-5 * (6000.0 / widthPx) * (6000.0 / widthPx);
    for (int y = 0; y < g.height(); ++y) {
        for (int x = 0; x < g.width(); ++x) {
            const double r2 = (x - cx) * (x - cx) + (y - cy) * (y - cy);
            const auto v = static_cast<std::uint8_t>(127.5 + 127.0 * std::cos(r2 * k));
            g.at(x, y) = {static_cast<std::uint8_t>(v / 2), v,
                          static_cast<std::uint8_t>((v + x) & 255)};
        }
    }
    return g;
}

const lumi::PixelGrid& photo() {
    static const lumi::PixelGrid grid = makePhoto(6000, 4000);
    return grid;
}

// The slider previews on an 800 x 600 picture: one operation per slider step.
void preview800x600(benchmark::State& state, ImageOperation op) {
    static const lumi::PixelGrid small = makePhoto(800, 600);
    for (auto _ : state) {
        lumi::PixelGrid out = lumi::applyImageOperation(small, op, 24);
        benchmark::DoNotOptimize(out.data());
    }
}

void run(benchmark::State& state, ImageOperation op) {
    const lumi::PixelGrid& in = photo();
    for (auto _ : state) {
        lumi::PixelGrid out = lumi::applyImageOperation(in, op, 24);
        benchmark::DoNotOptimize(out.data());
    }
}

ImageOperation make(Kind kind, int amount = 0) {
    ImageOperation op;
    op.kind = kind;
    op.amount = amount;
    return op;
}

ImageOperation filter(lumi::FilterKernel kernel) {
    ImageOperation op = make(Kind::Filter);
    op.kernel = kernel;
    return op;
}

ImageOperation scale(double percent) {
    ImageOperation op = make(Kind::Rescale);
    op.scalePercent = percent;
    return op;
}

ImageOperation balance() {
    ImageOperation op = make(Kind::ColorBalance);
    op.red = 20;
    op.green = -10;
    op.blue = 30;
    return op;
}

} // namespace

BENCHMARK_CAPTURE(run, brightness_20, make(Kind::Brightness, 20))
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK_CAPTURE(run, contrast_150, make(Kind::Contrast, 150))
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK_CAPTURE(run, binary_127, make(Kind::Binary, 127))
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK_CAPTURE(run, balance, balance())->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_CAPTURE(run, saturation_50, make(Kind::Saturation, 50))
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK_CAPTURE(run, grey, make(Kind::GreyScale))->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_CAPTURE(run, invert, make(Kind::Invert))->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_CAPTURE(run, flip_h, make(Kind::FlipHorizontal))
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK_CAPTURE(run, flip_v, make(Kind::FlipVertical))
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK_CAPTURE(run, scale_50, scale(50))->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_CAPTURE(run, scale_150, scale(150))->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_CAPTURE(run, rotate_30, make(Kind::Rotate, 30))
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK_CAPTURE(run, rotate_90, make(Kind::Rotate, 90))
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK_CAPTURE(run, low_pass_uniform, filter(lumi::FilterKernel::Uniform))
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK_CAPTURE(run, low_pass_peaked, filter(lumi::FilterKernel::Peaked))
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK_CAPTURE(run, high_pass_weak, filter(lumi::FilterKernel::Weak))
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK_CAPTURE(run, high_pass_strong, filter(lumi::FilterKernel::Strong))
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK_CAPTURE(preview800x600, brightness_20, make(Kind::Brightness, 20))
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK_CAPTURE(preview800x600, rotate_30, make(Kind::Rotate, 30))
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
