#pragma once

#include "analysis/conicsurface.h"
#include "analysis/realray.h"

#include <vector>

namespace lumi {

// A small sequential real-ray tracer: an object plane followed by rotationally
// symmetric conic/aspheric surfaces (ConicSurface). Lengths in mm; the ray starts
// in the object plane (z = 0) and each surface's vertex lies distanceFromPreviousMm
// behind the previous one. Mirrors use the negative-index convention (indexAfter =
// -indexBefore): direction cosines flip sign at the mirror, distances behind it
// count negative, and index x signed distance is always the positive optical path.
class RayTracer {
public:
    enum class Outcome { Passed, Vignetted };

    // Intersection iteration stops when a step is at most this many mm.
    static constexpr double kIntersectionToleranceMm = 1e-8;
    static constexpr int kMaxIntersectionSteps = 100;

    // Throws AnalysisError(InvalidGeometry) when an index is 0.
    explicit RayTracer(std::vector<ConicSurface> surfaces, double objectIndex = 1.0);

    const std::vector<ConicSurface>& surfaces() const { return surfaces_; }

    // Paraxial height-angle trace of a ray from the axial object point that reaches
    // heightMm at the first surface. Returns the image distance behind the last vertex,
    // mm, signed like the surface distances (negative in front of a single mirror).
    // Throws AnalysisError(InvalidGeometry) when the system forms no finite image.
    double paraxialImageDistanceMm(double heightMm) const;

    // Traces `ray` (position in the object plane) through every surface; on return it
    // sits on the last surface, relative to its vertex, with the path accumulated.
    // Vignetted when it meets a surface outside that surface's clear radius (the ray is
    // left there). Throws AnalysisError(InvalidGeometry) when the ray misses a surface,
    // is totally reflected or the intersection does not converge.
    Outcome trace(RealRay& ray) const;

    // Moves the ray to the plane distanceMm behind the current vertex (new origin).
    static void transferToPlane(RealRay& ray, double distanceMm);

    // Moves the ray along its line to the sphere of radiusMm centred at (cx, cy, cz)
    // (current vertex frame), adding index x signed distance to its path. The line
    // crosses the sphere twice; `forward` takes the crossing at the larger signed
    // distance along (l, m, n), otherwise the smaller one. Throws
    // AnalysisError(InvalidGeometry) when the line misses the sphere.
    static void moveToSphere(RealRay& ray, double cx, double cy, double cz, double radiusMm,
                             bool forward);

private:
    static Outcome throughSurface(RealRay& ray, const ConicSurface& s);
    std::vector<ConicSurface> surfaces_;
    double objectIndex_;
};

} // namespace lumi
