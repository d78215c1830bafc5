#include "tools/samplegen/gaussianblur.h"

#include <algorithm>
#include <cmath>
#include <cstddef>

namespace lumi {
namespace {

std::vector<double> kernel(double sigmaPx) {
    const int half = static_cast<int>(std::ceil(3.0 * sigmaPx));
    std::vector<double> k(static_cast<std::size_t>(2 * half + 1));
    double sum = 0.0;
    for (int i = -half; i <= half; ++i) {
        const double v = std::exp(-0.5 * (i * i) / (sigmaPx * sigmaPx));
        k[static_cast<std::size_t>(i + half)] = v;
        sum += v;
    }
    for (double& v : k) {
        v /= sum;
    }
    return k;
}

// One pass along lines of `count` samples `stride` apart, `lines` lines `lineStep` apart.
void blurPass(std::vector<double>& plane, const std::vector<double>& k, int count, int stride,
              int lines, int lineStep) {
    const int half = static_cast<int>(k.size() / 2);
    std::vector<double> line(static_cast<std::size_t>(count));
    for (int l = 0; l < lines; ++l) {
        const std::size_t base = static_cast<std::size_t>(l) * static_cast<std::size_t>(lineStep);
        for (int i = 0; i < count; ++i) {
            line[static_cast<std::size_t>(i)] =
                plane[base + static_cast<std::size_t>(i) * static_cast<std::size_t>(stride)];
        }
        for (int i = 0; i < count; ++i) {
            double acc = 0.0;
            for (int j = -half; j <= half; ++j) {
                const int s = std::clamp(i + j, 0, count - 1);
                acc += k[static_cast<std::size_t>(j + half)] * line[static_cast<std::size_t>(s)];
            }
            plane[base + static_cast<std::size_t>(i) * static_cast<std::size_t>(stride)] = acc;
        }
    }
}

} // namespace

void gaussianBlur(std::vector<double>& plane, int width, int height, double sigmaPx) {
    if (sigmaPx <= 0.0 || width <= 0 || height <= 0) {
        return;
    }
    const std::vector<double> k = kernel(sigmaPx);
    blurPass(plane, k, width, 1, height, width); // rows
    blurPass(plane, k, height, width, width, 1); // columns
}

} // namespace lumi
