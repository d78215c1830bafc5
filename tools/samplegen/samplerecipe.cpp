#include "tools/samplegen/samplerecipe.h"

#include "analysis/zernike.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace lumi {

double SampleRecipe::heightWaves(double xPx, double yPx) const {
    const double x = (xPx - apertureXPx) / apertureRadiusPx;
    const double y = (yPx - apertureYPx) / apertureRadiusPx;
    const auto z = evaluateZernikeTerms(x, y);
    double sum = 0.0;
    for (std::size_t t = 0; t < z.size(); ++t) {
        const double c = coefficientsWaves[t];
        if (c != 0.0) {
            sum += c * z[t];
        }
    }
    return sum;
}

double SampleRecipe::fringeCount() const {
    double lo = std::numeric_limits<double>::max();
    double hi = std::numeric_limits<double>::lowest();
    constexpr int kSteps = 200;
    for (int r = 0; r <= kSteps; ++r) {
        for (int c = 0; c <= kSteps; ++c) {
            const double x = -1.0 + 2.0 * c / kSteps;
            const double y = -1.0 + 2.0 * r / kSteps;
            if (x * x + y * y > 1.0) {
                continue;
            }
            const double px = apertureXPx + x * apertureRadiusPx;
            const double py = apertureYPx + y * apertureRadiusPx;
            if (obstructionRadiusPx > 0.0 &&
                std::hypot(px - obstructionXPx, py - obstructionYPx) < obstructionRadiusPx) {
                continue;
            }
            const double h = heightWaves(px, py);
            lo = std::min(lo, h);
            hi = std::max(hi, h);
        }
    }
    return (hi - lo) / wavesPerFringe;
}

} // namespace lumi
