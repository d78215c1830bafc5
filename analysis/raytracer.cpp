#include "analysis/raytracer.h"

#include "analysis/analysiserror.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace lumi {

namespace {

[[noreturn]] void fail(const char* what) {
    throw AnalysisError(AnalysisError::Kind::InvalidGeometry, what);
}

} // namespace

RayTracer::RayTracer(std::vector<ConicSurface> surfaces, double objectIndex)
    : surfaces_(std::move(surfaces)), objectIndex_(objectIndex) {
    if (objectIndex_ == 0.0) {
        fail("The optical model has a zero refractive index.");
    }
    for (const ConicSurface& s : surfaces_) {
        if (s.indexAfter == 0.0) {
            fail("The optical model has a zero refractive index.");
        }
    }
}

double RayTracer::paraxialImageDistanceMm(double heightMm) const {
    if (surfaces_.empty() || surfaces_.front().distanceFromPreviousMm == 0.0) {
        fail("The optical model has no object distance.");
    }
    // Reduced recurrence: n'u' = n u - y phi with power phi = c (n' - n); then
    // y_next = y + t u' to the next vertex.
    double index = objectIndex_;
    double angle = heightMm / surfaces_.front().distanceFromPreviousMm;
    double height = 0.0;
    for (std::size_t i = 0; i < surfaces_.size(); ++i) {
        const ConicSurface& s = surfaces_[i];
        height = (i == 0) ? heightMm : height + s.distanceFromPreviousMm * angle;
        const double power = s.curvaturePerMm * (s.indexAfter - index);
        angle = (index * angle - height * power) / s.indexAfter;
        index = s.indexAfter;
    }
    const double distance = -height / angle;
    if (angle == 0.0 || !std::isfinite(distance)) {
        fail("The optical model forms no image at a finite distance.");
    }
    return distance;
}

RayTracer::Outcome RayTracer::trace(RealRay& ray) const {
    ray.index = objectIndex_;
    for (const ConicSurface& s : surfaces_) {
        if (throughSurface(ray, s) == Outcome::Vignetted) {
            return Outcome::Vignetted;
        }
    }
    return Outcome::Passed;
}

void RayTracer::transferToPlane(RealRay& ray, double distanceMm) {
    if (ray.n == 0.0) {
        fail("A ray runs parallel to a surface plane.");
    }
    const double along = (distanceMm - ray.z) / ray.n;
    ray.x += ray.l * along;
    ray.y += ray.m * along;
    ray.z = 0.0;
    ray.opticalPathMm += ray.index * along;
}

RayTracer::Outcome RayTracer::throughSurface(RealRay& ray, const ConicSurface& s) {
    transferToPlane(ray, s.distanceFromPreviousMm);

    // Iterate onto the surface: each step moves along the ray by the sag error over the
    // projection of the direction on the (unnormalised) normal.
    const double c = s.curvaturePerMm;
    double w = 1.0;
    double nx = 0.0, ny = 0.0, nz = 1.0;
    for (int step = 0;; ++step) {
        if (step == kMaxIntersectionSteps) {
            fail("A ray does not converge onto the mirror surface.");
        }
        const double r2 = ray.x * ray.x + ray.y * ray.y;
        const double root = 1.0 - (1.0 + s.conic) * c * c * r2;
        if (root < 0.0) {
            fail("A ray misses the mirror surface.");
        }
        w = std::sqrt(root);
        const double sag = c * r2 / (1.0 + w) + r2 * r2 * (s.a4 + r2 * (s.a6 + r2 * s.a8));
        const double slope = c + w * r2 * (4.0 * s.a4 + r2 * (6.0 * s.a6 + r2 * 8.0 * s.a8));
        nx = -slope * ray.x;
        ny = -slope * ray.y;
        nz = w;
        const double projection = nx * ray.l + ny * ray.m + nz * ray.n;
        const double delta = (sag - ray.z) * w / projection;
        if (!std::isfinite(delta)) {
            fail("A ray misses the mirror surface.");
        }
        ray.x += ray.l * delta;
        ray.y += ray.m * delta;
        ray.z += ray.n * delta;
        ray.opticalPathMm += ray.index * delta;
        if (std::fabs(delta) <= kIntersectionToleranceMm) {
            break;
        }
    }

    if (s.clearRadiusMm > 0.0 && std::hypot(ray.x, ray.y) > s.clearRadiusMm) {
        return Outcome::Vignetted;
    }

    // Vector law of refraction with mu = n / n'; mu = -1 reflects.
    const double mu = ray.index / s.indexAfter;
    const double normal2 = nx * nx + ny * ny + nz * nz;
    const double p = nx * ray.l + ny * ray.m + nz * ray.n;
    const double q = p * p * mu * mu + (1.0 - mu * mu) * normal2;
    if (q < 0.0) {
        fail("A ray is totally reflected at a surface.");
    }
    const double g = (std::sqrt(q) - p * mu) / normal2;
    ray.l = mu * ray.l + g * nx;
    ray.m = mu * ray.m + g * ny;
    ray.n = mu * ray.n + g * nz;
    ray.index = s.indexAfter;
    return Outcome::Passed;
}

void RayTracer::moveToSphere(RealRay& ray, double cx, double cy, double cz, double radiusMm,
                             bool forward) {
    // |P + s d - C|^2 = r^2  ->  s^2 + 2 b s + k = 0
    const double px = ray.x - cx, py = ray.y - cy, pz = ray.z - cz;
    const double b = ray.l * px + ray.m * py + ray.n * pz;
    const double k = px * px + py * py + pz * pz - radiusMm * radiusMm;
    const double disc = b * b - k;
    if (disc < 0.0) {
        fail("A ray misses the reference sphere.");
    }
    // Numerically stable pair of roots: the far one from the cancellation-free sum,
    // the near one from the product k.
    const double root = std::sqrt(disc);
    const double far = (b >= 0.0) ? -b - root : -b + root;
    const double near = (far != 0.0) ? k / far : 0.0;
    const double lower = std::min(far, near);
    const double upper = std::max(far, near);
    const double s = forward ? upper : lower;
    ray.x += ray.l * s;
    ray.y += ray.m * s;
    ray.z += ray.n * s;
    ray.opticalPathMm += ray.index * s;
}

} // namespace lumi
