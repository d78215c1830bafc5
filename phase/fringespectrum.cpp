#include "phase/fringespectrum.h"

#include "phase/fouriertransform2d.h"
#include "phase/greyimage.h"
#include "phase/phaseerror.h"

#include <algorithm>
#include <cmath>
#include <numeric>

namespace lumi::phase {

FringeSpectrum fringeSpectrum(const PixelGrid& picture, int gridFactor, int sizePx) {
    if (sizePx < 16 || gridFactor < 1)
        throw PhaseError(PhaseError::Kind::BadInput, "A spectrum picture needs 16 pixels a side");
    const GreyImage grey = blockAveragedGrey(picture, gridFactor);
    if (grey.width < 2 || grey.height < 2)
        throw PhaseError(PhaseError::Kind::BadInput, "The picture is too small for a spectrum");
    const auto t = FourierTransform2d::shared(FourierTransform2d::goodSize(grey.width),
                                              FourierTransform2d::goodSize(grey.height));
    const int nx = t->width();
    const int ny = t->height();
    const int hw = t->halfWidth();
    const double mean = std::accumulate(grey.value.begin(), grey.value.end(), 0.0) /
                        static_cast<double>(grey.value.size());
    FourierTransform2d::Real* r = t->real();
    std::fill_n(r, static_cast<std::size_t>(nx) * static_cast<std::size_t>(ny), 0.0f);
    for (int y = 0; y < grey.height; ++y)
        for (int x = 0; x < grey.width; ++x)
            r[static_cast<std::size_t>(y) * static_cast<std::size_t>(nx) +
              static_cast<std::size_t>(x)] =
                static_cast<float>(
                    static_cast<double>(grey.value[static_cast<std::size_t>(y) *
                                                       static_cast<std::size_t>(grey.width) +
                                                   static_cast<std::size_t>(x)]) -
                    mean);
    t->forwardReal();
    const FourierTransform2d::Complex* F = t->halfSpectrum();

    FringeSpectrum out;
    out.sizePx = sizePx;
    out.cyclesPerMapPx = 1.0 / (static_cast<double>(sizePx) * gridFactor);
    out.level.resize(static_cast<std::size_t>(sizePx) * static_cast<std::size_t>(sizePx));
    const int half = sizePx / 2;
    for (int j = 0; j < sizePx; ++j)
        for (int i = 0; i < sizePx; ++i) {
            // Cycles per grid pixel, -0.5 .. 0.5, to the nearest bin of the transform.
            int kx = static_cast<int>(std::lround(static_cast<double>(i - half) / sizePx * nx));
            int ky = static_cast<int>(std::lround(static_cast<double>(j - half) / sizePx * ny));
            if (kx < 0) { // the real signal's spectrum is Hermitian
                kx = -kx;
                ky = -ky;
            }
            kx = std::min(kx, hw - 1);
            const int row = ((ky % ny) + ny) % ny;
            const double p = std::norm(std::complex<double>(
                F[static_cast<std::size_t>(row) * static_cast<std::size_t>(hw) +
                  static_cast<std::size_t>(kx)]));
            out.level[static_cast<std::size_t>(j) * static_cast<std::size_t>(sizePx) +
                      static_cast<std::size_t>(i)] = static_cast<float>(std::log10(1.0 + p));
        }
    std::vector<float> sorted = out.level;
    auto mid = sorted.begin() + static_cast<std::ptrdiff_t>(sorted.size() / 2);
    std::nth_element(sorted.begin(), mid, sorted.end());
    const float lo = *mid;
    const float hi = *std::max_element(out.level.begin(), out.level.end());
    const float span = hi > lo ? hi - lo : 1.0f;
    for (float& v : out.level)
        v = std::clamp((v - lo) / span, 0.0f, 1.0f);
    return out;
}

} // namespace lumi::phase
