#include "phase/pupilphasefit.h"

#include "analysis/analysiserror.h"
#include "analysis/normalequations.h"
#include "analysis/zernike.h"
#include "phase/phaseerror.h"

#include <cmath>
#include <cstddef>
#include <numbers>
#include <string>

namespace lumi::phase {
namespace {

void checkInput(const PhaseField& f, const PupilPhaseFitInput& in) {
    const auto n = static_cast<std::size_t>(std::max(f.width, 0)) *
                   static_cast<std::size_t>(std::max(f.height, 0));
    if (f.phaseRad.size() != n || f.quality.size() != n || f.inPupil.size() != n)
        throw PhaseError(PhaseError::Kind::BadInput,
                         "The phase map does not hold one phase, quality and pupil flag per pixel");
    if (in.termCount < 1 || in.termCount > kZernikeTermCount)
        throw PhaseError(PhaseError::Kind::BadInput, "The number of Zernike terms " +
                                                         std::to_string(in.termCount) +
                                                         " is not within 1..37");
    if (!std::isfinite(in.wavesPerFringe) || in.wavesPerFringe == 0.0)
        throw PhaseError(PhaseError::Kind::BadInput,
                         "The waves per fringe must be a finite number other than 0");
    if (!(in.aperture.radiusPx > 0.0) || !std::isfinite(in.aperture.radiusPx) ||
        !std::isfinite(in.aperture.centerXPx) || !std::isfinite(in.aperture.centerYPx))
        throw PhaseError(PhaseError::Kind::BadInput, "The aperture circle has no radius");
    if (!(in.placement.scalePx > 0.0) || !std::isfinite(in.placement.scalePx) || in.maxSamples < 1)
        throw PhaseError(PhaseError::Kind::BadInput, "The phase grid has no pixel size");
}

} // namespace

PupilPhaseFit fitPupilPhase(const PhaseField& f, const PupilPhaseFitInput& in) {
    checkInput(f, in);
    const ApertureCircle& ap = in.aperture;
    const ApertureCircle& ob = in.obstruction;
    const GridPlacement& pl = in.placement;
    const double apR2 = ap.radiusPx * ap.radiusPx;
    const double obR2 = ob.radiusPx > 0.0 ? ob.radiusPx * ob.radiusPx : -1.0;
    auto usable = [&](int x, int y) {
        const std::size_t i = static_cast<std::size_t>(y) * static_cast<std::size_t>(f.width) +
                              static_cast<std::size_t>(x);
        if (!f.inPupil[i] || !(f.quality[i] >= in.minQuality) || !std::isfinite(f.phaseRad[i]))
            return false;
        const double ax = pl.originXPx + pl.scalePx * x - ap.centerXPx;
        const double ay = pl.originYPx + pl.scalePx * y - ap.centerYPx;
        if (ax * ax + ay * ay > apR2)
            return false;
        const double bx = pl.originXPx + pl.scalePx * x - ob.centerXPx;
        const double by = pl.originYPx + pl.scalePx * y - ob.centerYPx;
        return !(bx * bx + by * by < obR2);
    };
    std::size_t count = 0;
    for (int y = 0; y < f.height; ++y)
        for (int x = 0; x < f.width; ++x)
            count += usable(x, y) ? 1u : 0u;
    int stride = 1;
    while (count > static_cast<std::size_t>(in.maxSamples) * static_cast<std::size_t>(stride) *
                       static_cast<std::size_t>(stride))
        ++stride;

    const double sign = in.invert ? -1.0 : 1.0;
    const double scale = sign * std::fabs(in.wavesPerFringe) / (2.0 * std::numbers::pi);
    PupilPhaseFit fit;
    fit.samples.reserve(count / static_cast<std::size_t>(stride * stride) + 1);
    for (int y = 0; y < f.height; y += stride)
        for (int x = 0; x < f.width; x += stride)
            if (usable(x, y))
                fit.samples.push_back({(pl.originXPx + pl.scalePx * x - ap.centerXPx) / ap.radiusPx,
                                       (pl.originYPx + pl.scalePx * y - ap.centerYPx) / ap.radiusPx,
                                       scale * f.phaseRad[static_cast<std::size_t>(y) *
                                                              static_cast<std::size_t>(f.width) +
                                                          static_cast<std::size_t>(x)]});
    if (fit.samples.size() < 2u * static_cast<std::size_t>(in.termCount))
        throw PhaseError(PhaseError::Kind::TooFewSamples,
                         "Only " + std::to_string(fit.samples.size()) +
                             " usable pupil pixels for " + std::to_string(in.termCount) +
                             " Zernike terms");

    NormalEquations eq = buildNormalEquations(fit.samples, in.termCount);
    solveNormalEquations(eq);
    const auto terms = static_cast<std::size_t>(in.termCount);
    for (std::size_t t = 0; t < terms; ++t)
        fit.coefficientsWaves[t] = eq.rhs[t];
    if (in.removeTilt && in.termCount >= 3) {
        const double tx = fit.coefficientsWaves[1];
        const double ty = fit.coefficientsWaves[2];
        for (ZernikeSample& s : fit.samples)
            s.valueWaves -= tx * s.x + ty * s.y;
        fit.coefficientsWaves[1] = 0.0;
        fit.coefficientsWaves[2] = 0.0;
        fit.removedTiltXWaves = tx;
        fit.removedTiltYWaves = ty;
    }
    double squares = 0.0;
    for (const ZernikeSample& s : fit.samples) {
        const double r = s.valueWaves - zernikeSum(fit.coefficientsWaves, in.termCount, s.x, s.y);
        squares += r * r;
    }
    fit.residualRmsWaves = std::sqrt(squares / static_cast<double>(fit.samples.size()));
    if (!std::isfinite(fit.residualRmsWaves))
        throw AnalysisError(AnalysisError::Kind::NonFinite,
                            "The residual of the phase fit is not a finite number");
    return fit;
}

} // namespace lumi::phase
