#include "fringe/annulus.h"

#include <cmath>

namespace lumi {

bool isInsideAnnulus(const ApertureCircle& aperture, const ApertureCircle& obstruction, double xPx,
                     double yPx) {
    const double r = aperture.radiusPx;
    return std::hypot(xPx - aperture.centerXPx, yPx - aperture.centerYPx) < r - r / 70.0 &&
           std::hypot(xPx - obstruction.centerXPx, yPx - obstruction.centerYPx) >
               obstruction.radiusPx;
}

} // namespace lumi
