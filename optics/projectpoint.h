#pragma once

namespace lumi {

// Sines and cosines of the three view angles of the 3-D surfaces. Angles in degrees are
// turned into radians with kPiRounded14.
struct ViewAngles {
    double sinX = 0.0, cosX = 1.0; // X-rotation, in the h-z plane (tilts the surface forward)
    double sinY = 0.0, cosY = 1.0; // Y-rotation, in the x-h plane
    double sinZ = 0.0, cosZ = 1.0; // Z-rotation, in the z-x plane (turns it about the vertical)

    static ViewAngles fromDegrees(double xRotationDeg, double yRotationDeg, double zRotationDeg);
};

// A surface point on the screen: (x, y) in the plot's user scale, y growing downwards; depth
// is computed but no plot uses it (facets are painted in loop order, without sorting).
struct ProjectedPoint {
    double x = 0.0;
    double y = 0.0;
    double depth = 0.0;
};

// Rotates the surface point (x across the columns, h the height with up negative, z down the
// rows) by Y, then X, then Z and projects it orthographically onto (x, h):
//   x1 = x cosY - h sinY        h1 = x sinY + h cosY
//   h2 = h1 cosX - z sinX       z2 = h1 sinX + z cosX
//   z3 = z2 cosZ - x1 sinZ      x3 = z2 sinZ + x1 cosZ      -> (x3, h2), depth z3
ProjectedPoint projectPoint(const ViewAngles& view, double x, double h, double z);

} // namespace lumi
