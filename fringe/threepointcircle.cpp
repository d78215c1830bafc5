#include "fringe/threepointcircle.h"

#include <cmath>

namespace lumi {

std::optional<ApertureCircle> circleThroughThreePoints(double x1Px, double y1Px, double x2Px,
                                                       double y2Px, double x3Px, double y3Px) {
    // Work relative to the first click to keep the products small.
    const double ax = x2Px - x1Px;
    const double ay = y2Px - y1Px;
    const double bx = x3Px - x1Px;
    const double by = y3Px - y1Px;
    const double cross = ax * by - ay * bx;
    // Collinear within rounding: the sine of the angle at click 1 is ~0.
    if (std::abs(cross) <= 1e-12 * std::hypot(ax, ay) * std::hypot(bx, by) || cross == 0.0)
        return std::nullopt;
    const double a2 = ax * ax + ay * ay;
    const double b2 = bx * bx + by * by;
    const double d = 2.0 * cross;
    const double ux = (by * a2 - ay * b2) / d;
    const double uy = (ax * b2 - bx * a2) / d;
    ApertureCircle c{x1Px + ux, y1Px + uy, std::hypot(ux, uy)};
    if (!std::isfinite(c.centerXPx) || !std::isfinite(c.centerYPx) || !std::isfinite(c.radiusPx))
        return std::nullopt;
    return c;
}

} // namespace lumi
