#include "optics/pupilgeometry.h"

#include "analysis/analysiserror.h"

#include <cmath>

namespace lumi {

PupilGeometry PupilGeometry::fromCircles(const ApertureCircle& aperture,
                                         const ApertureCircle& obstruction) {
    if (!(aperture.radiusPx > 0.0) || !std::isfinite(aperture.radiusPx)) {
        throw AnalysisError(AnalysisError::Kind::InvalidGeometry, "Error: Missing Aperture!");
    }
    PupilGeometry g;
    g.obstructionX = (obstruction.centerXPx - aperture.centerXPx) / aperture.radiusPx;
    g.obstructionY = (obstruction.centerYPx - aperture.centerYPx) / aperture.radiusPx;
    g.obstructionRadius = obstruction.radiusPx / aperture.radiusPx;
    return g;
}

bool PupilGeometry::isOpen(double x, double y) const {
    if (std::sqrt(y * y + x * x) > 1.0) {
        return false;
    }
    if (obstructionRadius <= 0.0) {
        return true;
    }
    const double dy = obstructionY - y;
    const double dx = obstructionX - x;
    return std::sqrt(dy * dy + dx * dx) > obstructionRadius;
}

} // namespace lumi
