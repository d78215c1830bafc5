#pragma once

namespace lumi {

// One rotationally symmetric surface of a ray-traced system. Lengths in mm, z along
// the axis in the direction the light first travels. Sag z(r) = c r^2 / (1 + w)
// + a4 r^4 + a6 r^6 + a8 r^8 with w = sqrt(1 - (1 + K) c^2 r^2) and c = 1 / R;
// R < 0 curves the surface back towards the incoming light (a concave mirror seen
// from its source). Indices follow the reflection convention: a mirror has
// indexAfter = -indexBefore, and distances travelled after it count negative.
struct ConicSurface {
    double curvaturePerMm = 0.0; // c = 1 / vertex radius; 0 is a plane
    double conic = 0.0;          // K: 0 sphere, -1 paraboloid
    double a4 = 0.0;             // aspheric sag terms, mm^-3, mm^-5, mm^-7
    double a6 = 0.0;
    double a8 = 0.0;
    double distanceFromPreviousMm = 0.0; // vertex of the previous surface (or object) to this one
    double indexAfter = 1.0;             // refractive index of the medium behind the surface
    double clearRadiusMm = 0.0; // rays meeting it farther from the axis are vignetted; 0: none
};

} // namespace lumi
