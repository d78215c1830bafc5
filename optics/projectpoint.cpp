#include "optics/projectpoint.h"

#include "common/mathconstants.h"

#include <cmath>

namespace lumi {

ViewAngles ViewAngles::fromDegrees(double xRotationDeg, double yRotationDeg, double zRotationDeg) {
    constexpr double kRadPerDeg = kPiRounded14 / 180.0;
    ViewAngles v;
    v.sinX = std::sin(xRotationDeg * kRadPerDeg);
    v.cosX = std::cos(xRotationDeg * kRadPerDeg);
    v.sinY = std::sin(yRotationDeg * kRadPerDeg);
    v.cosY = std::cos(yRotationDeg * kRadPerDeg);
    v.sinZ = std::sin(zRotationDeg * kRadPerDeg);
    v.cosZ = std::cos(zRotationDeg * kRadPerDeg);
    return v;
}

ProjectedPoint projectPoint(const ViewAngles& view, double x, double h, double z) {
    const double x1 = x * view.cosY - h * view.sinY;
    const double h1 = x * view.sinY + h * view.cosY;
    const double h2 = h1 * view.cosX - z * view.sinX;
    const double z2 = h1 * view.sinX + z * view.cosX;
    const double z3 = z2 * view.cosZ - x1 * view.sinZ;
    const double x3 = z2 * view.sinZ + x1 * view.cosZ;
    return ProjectedPoint{x3, h2, z3};
}

} // namespace lumi
