#include "analysis/idealconicfit.h"

#include "analysis/analysiserror.h"
#include "analysis/normalequations.h"
#include "analysis/zernikesample.h"

#include <algorithm>
#include <cmath>
#include <utility>
#include <vector>

namespace lumi {

namespace {

// Moves a traced ray from the mirror to the reference sphere. Behind a mirror the
// direction cosines are reversed, so the sphere's mirror-side crossing lies at the
// larger signed distance.
void toReferenceSphere(RealRay& ray, double imageDistanceMm, double cx, double cy,
                       double radiusMm) {
    RayTracer::transferToPlane(ray, imageDistanceMm);
    RayTracer::moveToSphere(ray, cx, cy, 0.0, radiusMm, ray.index < 0.0);
}

RealRay rayFromSource(const IdealConicModel& model, double aimXMm, double aimYMm) {
    RealRay ray;
    ray.x = 0.0;
    ray.y = IdealConicModel::kSourceOffsetMm;
    ray.z = 0.0;
    const double dx = aimXMm;
    const double dy = aimYMm - IdealConicModel::kSourceOffsetMm;
    const double dz = model.absRadiusMm;
    const double length = std::sqrt(dx * dx + dy * dy + dz * dz);
    ray.l = dx / length;
    ray.m = dy / length;
    ray.n = dz / length;
    return ray;
}

} // namespace

IdealConicFit::IdealConicFit(IdealConicModel model) : model_(std::move(model)) {}

void IdealConicFit::trace(const ProgressCallback& progress) {
    const RayTracer tracer = model_.tracer();
    const double imageDistance = tracer.paraxialImageDistanceMm(IdealConicModel::kParaxialHeightMm);

    // Chief ray through the vertex; its point in the image plane centres the
    // reference sphere, which passes through its point on the mirror.
    RealRay chief = rayFromSource(model_, 0.0, 0.0);
    if (tracer.trace(chief) != RayTracer::Outcome::Passed) {
        throw AnalysisError(AnalysisError::Kind::InvalidGeometry,
                            "The chief ray misses the mirror.");
    }
    const double mirrorX = chief.x, mirrorY = chief.y, mirrorZ = chief.z - imageDistance;
    RayTracer::transferToPlane(chief, imageDistance);
    const double centreX = chief.x, centreY = chief.y;
    const double sphereRadius =
        std::sqrt((mirrorX - centreX) * (mirrorX - centreX) +
                  (mirrorY - centreY) * (mirrorY - centreY) + mirrorZ * mirrorZ);
    RayTracer::moveToSphere(chief, centreX, centreY, 0.0, sphereRadius, chief.index < 0.0);
    const double chiefPath = chief.opticalPathMm;

    opd_.fill(0.0);
    traced_ = 0;
    vignetted_ = 0;
    for (int row = 0; row < kGrid; ++row) {
        for (int col = 0; col < kGrid; ++col) {
            if (model_.aimInside(row, col)) {
                RealRay ray = rayFromSource(model_, model_.aimX(col), model_.aimY(row));
                ++traced_;
                if (tracer.trace(ray) == RayTracer::Outcome::Passed) {
                    toReferenceSphere(ray, imageDistance, centreX, centreY, sphereRadius);
                    const double opd = (chiefPath - ray.opticalPathMm) / model_.wavelengthMm;
                    if (!std::isfinite(opd)) {
                        throw AnalysisError(AnalysisError::Kind::NonFinite,
                                            "The ideal conic ray trace gave no finite path.");
                    }
                    opd_[static_cast<std::size_t>(row * kGrid + col)] = opd;
                } else {
                    ++vignetted_;
                }
            }
            if (progress) {
                const int done = row * kGrid + col + 1;
                progress(std::min(100, done * 100 / (kGrid * kGrid)));
            }
        }
    }
}

ZernikeCoefficients IdealConicFit::fit() const {
    const int termCount = std::clamp(model_.highestTerm, 0, kZernikeTermCount - 1) + 1;
    const double h = model_.semiDiameterSingle;
    std::vector<ZernikeSample> samples;
    samples.reserve(kGrid * kGrid);
    for (int row = 0; row < kGrid; ++row) {
        for (int col = 0; col < kGrid; ++col) {
            if (model_.aimInside(row, col)) {
                samples.push_back({model_.aimX(col) / h, model_.aimY(row) / h, opdWaves(row, col)});
            }
        }
    }
    NormalEquations eq = buildNormalEquations(samples, termCount);
    solveNormalEquations(eq);
    ZernikeCoefficients result{};
    for (int t = 0; t < termCount; ++t) {
        result[static_cast<std::size_t>(t)] = eq.rhs[static_cast<std::size_t>(t)];
    }
    return result;
}

ZernikeCoefficients computeIdealConic(const AnalysisSettings& settings,
                                      const ProgressCallback& progress) {
    IdealConicFit computation(IdealConicModel::fromSettings(settings));
    computation.trace(progress);
    return computation.fit();
}

} // namespace lumi
