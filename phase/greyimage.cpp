#include "phase/greyimage.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>

namespace lumi::phase {

GreyImage blockAveragedGrey(const PixelGrid& picture, int factor) {
    GreyImage out;
    factor = std::max(factor, 1);
    out.width = picture.width() / factor;
    out.height = picture.height() / factor;
    const auto w = static_cast<std::size_t>(out.width);
    out.value.assign(w * static_cast<std::size_t>(out.height), 0.0f);
    std::vector<std::uint32_t> sums(w);
    const float scale = 1.0f / static_cast<float>(factor * factor);
    for (int j = 0; j < out.height; ++j) {
        std::fill(sums.begin(), sums.end(), 0u);
        for (int r = 0; r < factor; ++r) {
            const PixelTriple* row = picture.row(j * factor + r);
            for (std::size_t i = 0; i < w; ++i) {
                std::uint32_t s = 0;
                const PixelTriple* p = row + i * static_cast<std::size_t>(factor);
                for (int c = 0; c < factor; ++c)
                    s += static_cast<std::uint32_t>(p[c].red) + p[c].green + p[c].blue;
                sums[i] += s;
            }
        }
        float* dst = out.value.data() + static_cast<std::size_t>(j) * w;
        for (std::size_t i = 0; i < w; ++i)
            dst[i] = static_cast<float>(sums[i]) * scale;
    }
    return out;
}

std::vector<float> maskedBoxMean(const std::vector<float>& values,
                                 const std::vector<std::uint8_t>& weight, int width, int height,
                                 int radius) {
    // Summed-area tables of value x weight and of weight, one row and column of zeros first.
    const auto w1 = static_cast<std::size_t>(width) + 1;
    std::vector<double> sv(w1 * (static_cast<std::size_t>(height) + 1), 0.0);
    std::vector<double> sw(sv.size(), 0.0);
    for (int y = 0; y < height; ++y) {
        double rowV = 0.0;
        double rowW = 0.0;
        for (int x = 0; x < width; ++x) {
            const std::size_t i = static_cast<std::size_t>(y) * static_cast<std::size_t>(width) +
                                  static_cast<std::size_t>(x);
            const double m = weight[i] ? 1.0 : 0.0;
            rowV += m * static_cast<double>(values[i]);
            rowW += m;
            const std::size_t t =
                (static_cast<std::size_t>(y) + 1) * w1 + static_cast<std::size_t>(x) + 1;
            sv[t] = sv[t - w1] + rowV;
            sw[t] = sw[t - w1] + rowW;
        }
    }
    std::vector<float> out(values.size(), 0.0f);
    for (int y = 0; y < height; ++y) {
        const auto y0 = static_cast<std::size_t>(std::max(y - radius, 0));
        const auto y1 = static_cast<std::size_t>(std::min(y + radius + 1, height));
        for (int x = 0; x < width; ++x) {
            const auto x0 = static_cast<std::size_t>(std::max(x - radius, 0));
            const auto x1 = static_cast<std::size_t>(std::min(x + radius + 1, width));
            const double n =
                sw[y1 * w1 + x1] - sw[y0 * w1 + x1] - sw[y1 * w1 + x0] + sw[y0 * w1 + x0];
            if (n > 0.5) {
                const double s =
                    sv[y1 * w1 + x1] - sv[y0 * w1 + x1] - sv[y1 * w1 + x0] + sv[y0 * w1 + x0];
                out[static_cast<std::size_t>(y) * static_cast<std::size_t>(width) +
                    static_cast<std::size_t>(x)] = static_cast<float>(s / n);
            }
        }
    }
    return out;
}

} // namespace lumi::phase
