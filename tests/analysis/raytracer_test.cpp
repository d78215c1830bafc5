#include "analysis/analysiserror.h"
#include "analysis/raytracer.h"
#include "support/casename.h"

#include <gtest/gtest.h>

#include <cmath>

namespace lumi {
namespace {

RayTracer singleMirror(double radiusMm, double conic, double objectDistanceMm) {
    ConicSurface mirror;
    mirror.curvaturePerMm = 1.0 / radiusMm;
    mirror.conic = conic;
    mirror.distanceFromPreviousMm = objectDistanceMm;
    mirror.indexAfter = -1.0;
    return RayTracer({mirror});
}

RealRay aimedRay(double objectDistanceMm, double aimX, double aimY) {
    RealRay ray;
    const double length =
        std::sqrt(aimX * aimX + aimY * aimY + objectDistanceMm * objectDistanceMm);
    ray.l = aimX / length;
    ray.m = aimY / length;
    ray.n = objectDistanceMm / length;
    return ray;
}

struct MirrorImage {
    double objectDistanceMm;
    double expectedImageMm; // behind the vertex in the reflection convention
};

class ParaxialMirror : public ::testing::TestWithParam<MirrorImage> {};

TEST_P(ParaxialMirror, followsTheMirrorEquation) {
    // Concave mirror R = -2000 mm (focal length 1000 mm): 1/s + 1/s' = 2/|R|.
    const RayTracer tracer = singleMirror(-2000.0, 0.0, GetParam().objectDistanceMm);
    EXPECT_NEAR(tracer.paraxialImageDistanceMm(0.01), GetParam().expectedImageMm, 1e-9);
}

INSTANTIATE_TEST_SUITE_P(Distances, ParaxialMirror,
                         ::testing::Values(MirrorImage{2000.0, -2000.0},
                                           MirrorImage{3000.0, -1500.0},
                                           MirrorImage{4000.0, -4000.0 / 3.0}),
                         [](const auto& i) {
                             return lumi::test::caseName("object_mm", i.param.objectDistanceMm);
                         });

TEST(RayTracer, focalPlaneObjectHasNoFiniteImage) {
    const RayTracer tracer = singleMirror(-2000.0, 0.0, 1000.0);
    EXPECT_THROW(tracer.paraxialImageDistanceMm(0.01), AnalysisError);
}

TEST(RayTracer, ellipsoidImagesOneFocusOntoTheOtherWithEqualPaths) {
    // Foci 1500 mm and 3000 mm in front of the vertex: R = 2 s1 s2 / (s1 + s2),
    // K = -e^2 with e = (s2 - s1) / (s2 + s1). Every real ray from one focus meets the
    // other, and by Fermat all optical paths are equal.
    const double s1 = 1500.0, s2 = 3000.0;
    const double radius = -2.0 * s1 * s2 / (s1 + s2);
    const double e = (s2 - s1) / (s2 + s1);
    const RayTracer tracer = singleMirror(radius, -e * e, s1);
    const double image = tracer.paraxialImageDistanceMm(0.01);
    EXPECT_NEAR(image, -s2, 1e-6);
    for (const double aim : {0.5, 40.0, 150.0, 300.0}) {
        RealRay ray = aimedRay(s1, aim * 0.6, -aim * 0.8);
        ASSERT_EQ(tracer.trace(ray), RayTracer::Outcome::Passed);
        // direction cosines stay normalised
        EXPECT_NEAR(ray.l * ray.l + ray.m * ray.m + ray.n * ray.n, 1.0, 1e-12);
        RayTracer::transferToPlane(ray, image);
        EXPECT_NEAR(ray.x, 0.0, 1e-7) << aim;
        EXPECT_NEAR(ray.y, 0.0, 1e-7) << aim;
        EXPECT_NEAR(ray.opticalPathMm, s1 + s2, 1e-7) << aim;
    }
}

TEST(RayTracer, reflectionReversesDirectionCosinesAndKeepsPathsPositive) {
    // Normal incidence on a plane mirror: the ray goes back, the convention flips
    // its cosines (n stays +1) and the path behind the mirror still grows.
    ConicSurface plane;
    plane.distanceFromPreviousMm = 100.0;
    plane.indexAfter = -1.0;
    const RayTracer tracer({plane});
    RealRay ray;
    ASSERT_EQ(tracer.trace(ray), RayTracer::Outcome::Passed);
    EXPECT_DOUBLE_EQ(ray.n, 1.0);
    EXPECT_DOUBLE_EQ(ray.opticalPathMm, 100.0);
    RayTracer::transferToPlane(ray, -100.0); // back to the object plane
    EXPECT_DOUBLE_EQ(ray.opticalPathMm, 200.0);
}

TEST(RayTracer, asphericSurfaceIsMetExactlyAndReflectsByTheLaw) {
    ConicSurface s;
    s.curvaturePerMm = -1.0 / 800.0;
    s.conic = -0.6;
    s.a4 = 2e-10;
    s.a6 = -3e-15;
    s.a8 = 4e-20;
    s.distanceFromPreviousMm = 800.0;
    s.indexAfter = -1.0;
    const auto sag = [&](double x, double y) {
        const double r2 = x * x + y * y;
        const double w =
            std::sqrt(1.0 - (1.0 + s.conic) * s.curvaturePerMm * s.curvaturePerMm * r2);
        return s.curvaturePerMm * r2 / (1.0 + w) + s.a4 * r2 * r2 + s.a6 * r2 * r2 * r2 +
               s.a8 * r2 * r2 * r2 * r2;
    };
    const RayTracer tracer({s});
    RealRay ray = aimedRay(800.0, 70.0, -120.0);
    const double l = ray.l, m = ray.m, n = ray.n;
    ASSERT_EQ(tracer.trace(ray), RayTracer::Outcome::Passed);
    EXPECT_NEAR(ray.z, sag(ray.x, ray.y), 1e-9);

    // Normal from central differences of the sag, then d' = d - 2 (d.n) n; the
    // tracer's cosines are the reversed reflected direction.
    const double e = 1e-4;
    double nx = -(sag(ray.x + e, ray.y) - sag(ray.x - e, ray.y)) / (2 * e);
    double ny = -(sag(ray.x, ray.y + e) - sag(ray.x, ray.y - e)) / (2 * e);
    double nz = 1.0;
    const double len = std::sqrt(nx * nx + ny * ny + nz * nz);
    nx /= len, ny /= len, nz /= len;
    const double dn = l * nx + m * ny + n * nz;
    EXPECT_NEAR(-ray.l, l - 2 * dn * nx, 1e-8);
    EXPECT_NEAR(-ray.m, m - 2 * dn * ny, 1e-8);
    EXPECT_NEAR(-ray.n, n - 2 * dn * nz, 1e-8);
}

TEST(RayTracer, secondMirrorSendsTheRayOnWithPathsAddingUp) {
    // Plane mirrors 100 mm from the object and 50 mm in front of that one: the ray goes
    // 100 forward, 50 back, then on; after two reflections the cosines are the true ones.
    ConicSurface first;
    first.distanceFromPreviousMm = 100.0;
    first.indexAfter = -1.0;
    ConicSurface second;
    second.distanceFromPreviousMm = -50.0;
    second.indexAfter = 1.0;
    const RayTracer tracer({first, second});
    RealRay ray;
    ASSERT_EQ(tracer.trace(ray), RayTracer::Outcome::Passed);
    EXPECT_DOUBLE_EQ(ray.n, 1.0);
    EXPECT_DOUBLE_EQ(ray.opticalPathMm, 150.0);
    RayTracer::transferToPlane(ray, 200.0);
    EXPECT_DOUBLE_EQ(ray.opticalPathMm, 350.0);
}

TEST(RayTracer, rayOutsideTheClearRadiusIsVignetted) {
    ConicSurface mirror;
    mirror.curvaturePerMm = -1.0 / 2000.0;
    mirror.distanceFromPreviousMm = 2000.0;
    mirror.indexAfter = -1.0;
    mirror.clearRadiusMm = 100.1;
    const RayTracer tracer({mirror});
    RealRay inside = aimedRay(2000.0, 0.0, 100.0);
    RealRay outside = aimedRay(2000.0, 0.0, 100.3);
    EXPECT_EQ(tracer.trace(inside), RayTracer::Outcome::Passed);
    EXPECT_EQ(tracer.trace(outside), RayTracer::Outcome::Vignetted);
}

TEST(RayTracer, rayBeyondTheConicRaisesAnError) {
    // A sphere of radius 50 mm has no surface 80 mm from the axis.
    const RayTracer tracer = singleMirror(-50.0, 0.0, 50.0);
    RealRay ray = aimedRay(50.0, 0.0, 80.0);
    EXPECT_THROW(tracer.trace(ray), AnalysisError);
}

TEST(RayTracer, referenceSphereRootsAreOrderedAlongTheRay) {
    RealRay near;
    near.z = 0.0; // on the axis, moving along +z, sphere radius 10 centred 3 mm ahead
    RealRay far = near;
    RayTracer::moveToSphere(near, 0.0, 0.0, 3.0, 10.0, false);
    RayTracer::moveToSphere(far, 0.0, 0.0, 3.0, 10.0, true);
    EXPECT_DOUBLE_EQ(near.z, -7.0);
    EXPECT_DOUBLE_EQ(far.z, 13.0);
    EXPECT_DOUBLE_EQ(far.opticalPathMm, 13.0);
    RealRay miss;
    miss.x = 20.0;
    EXPECT_THROW(RayTracer::moveToSphere(miss, 0.0, 0.0, 0.0, 10.0, true), AnalysisError);
}

} // namespace
} // namespace lumi
