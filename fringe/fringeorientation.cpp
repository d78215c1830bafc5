#include "fringe/fringeorientation.h"

#include <cmath>

namespace lumi {
namespace {

constexpr int kHalfGrid = 3;

bool usable(const ApertureCircle& aperture, const ApertureCircle& obstruction, double xPx,
            double yPx) {
    if (aperture.radiusPx > 0.0 &&
        std::hypot(xPx - aperture.centerXPx, yPx - aperture.centerYPx) > aperture.radiusPx)
        return false;
    return !(obstruction.radiusPx > 0.0 &&
             std::hypot(xPx - obstruction.centerXPx, yPx - obstruction.centerYPx) <
                 obstruction.radiusPx);
}

// Brightness averaged over a small cross (a sixteenth of a period each way):
// less speckle in every gradient sample.
double smoothed(const BrightnessSampler& s, double x, double y, double r) {
    return (s.at(x, y) + s.at(x - r, y) + s.at(x + r, y) + s.at(x, y - r) + s.at(x, y + r)) / 5.0;
}

} // namespace

std::optional<FringeOrientation> fringeOrientationAt(const BrightnessSampler& sampler,
                                                     ImagePoint point, double periodPx,
                                                     const ApertureCircle& aperture,
                                                     const ApertureCircle& obstruction) {
    if (!(periodPx > 0.0) || !std::isfinite(periodPx))
        return std::nullopt;
    const double spacing = periodPx / 4.0;
    const double half = periodPx / 4.0; // gradient by differences half a quarter period each way
    const double blur = periodPx / 16.0;
    const double sigma = kHalfGrid / 1.5;
    double jxx = 0.0;
    double jxy = 0.0;
    double jyy = 0.0;
    int used = 0;
    for (int j = -kHalfGrid; j <= kHalfGrid; ++j) {
        for (int i = -kHalfGrid; i <= kHalfGrid; ++i) {
            const double x = point.xPx + i * spacing;
            const double y = point.yPx + j * spacing;
            if (!usable(aperture, obstruction, x - half, y) ||
                !usable(aperture, obstruction, x + half, y) ||
                !usable(aperture, obstruction, x, y - half) ||
                !usable(aperture, obstruction, x, y + half))
                continue;
            const double gx =
                smoothed(sampler, x + half, y, blur) - smoothed(sampler, x - half, y, blur);
            const double gy =
                smoothed(sampler, x, y + half, blur) - smoothed(sampler, x, y - half, blur);
            const double w = std::exp(-0.5 * (i * i + j * j) / (sigma * sigma));
            jxx += w * gx * gx;
            jxy += w * gx * gy;
            jyy += w * gy * gy;
            ++used;
        }
    }
    const double trace = jxx + jyy;
    if (used < 10 || !(trace > 0.0))
        return std::nullopt;
    // The gradients point across the fringes; the fringes run at right angles.
    const double angle = 0.5 * std::atan2(2.0 * jxy, jxx - jyy);
    const double coherence = std::hypot(jxx - jyy, 2.0 * jxy) / trace;
    return FringeOrientation{{-std::sin(angle), std::cos(angle)}, coherence};
}

} // namespace lumi
