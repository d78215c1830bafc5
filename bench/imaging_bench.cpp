// Image operations on a 6000 x 4000 camera photo (24 megapixels), as the window
// and "lumivorexan-cli image" run them. Compare with bench/imagemagick_compare.sh.
#include "imaging/imageoperation.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <initializer_list>
#include <string>

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

// One operation per iteration on the given picture.
void applyRepeatedly(benchmark::State& state, const lumi::PixelGrid& in, const ImageOperation& op) {
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

// The picture the slider previews use: one operation per slider step.
const lumi::PixelGrid& previewPicture() {
    static const lumi::PixelGrid grid = makePhoto(800, 600);
    return grid;
}

struct Case {
    const char* name;
    ImageOperation op;
};

// Registers "<prefix><name>" for each case, run on picture().
bool registerEach(const std::string& prefix, std::initializer_list<Case> cases,
                  const lumi::PixelGrid& (*picture)()) {
    for (const Case& c : cases) {
        benchmark::RegisterBenchmark((prefix + c.name).c_str(),
                                     [op = c.op, picture](benchmark::State& state) {
                                         applyRepeatedly(state, picture(), op);
                                     })
            ->Unit(benchmark::kMillisecond)
            ->UseRealTime();
    }
    return true;
}

[[maybe_unused]] const bool fullPhotoCases =
    registerEach("run/",
                 {
                     {"brightness_20", make(Kind::Brightness, 20)},
                     {"contrast_150", make(Kind::Contrast, 150)},
                     {"binary_127", make(Kind::Binary, 127)},
                     {"balance", balance()},
                     {"saturation_50", make(Kind::Saturation, 50)},
                     {"grey", make(Kind::GreyScale)},
                     {"invert", make(Kind::Invert)},
                     {"flip_h", make(Kind::FlipHorizontal)},
                     {"flip_v", make(Kind::FlipVertical)},
                     {"scale_50", scale(50)},
                     {"scale_150", scale(150)},
                     {"rotate_30", make(Kind::Rotate, 30)},
                     {"rotate_90", make(Kind::Rotate, 90)},
                     {"low_pass_uniform", filter(lumi::FilterKernel::Uniform)},
                     {"low_pass_peaked", filter(lumi::FilterKernel::Peaked)},
                     {"high_pass_weak", filter(lumi::FilterKernel::Weak)},
                     {"high_pass_strong", filter(lumi::FilterKernel::Strong)},
                 },
                 photo);

[[maybe_unused]] const bool previewCases =
    registerEach("preview800x600/",
                 {
                     {"brightness_20", make(Kind::Brightness, 20)},
                     {"rotate_30", make(Kind::Rotate, 30)},
                 },
                 previewPicture);

} // namespace
