#include "analysis/wavefrontsampler.h"

#include "analysis/analysiserror.h"
#include "analysis/termremoval.h"
#include "analysis/zernike.h"

#include <algorithm>
#include <cmath>
#include <string>

namespace lumi {

std::unique_ptr<WavefrontGrid> sampleWavefrontGrid(const AnalysisSettings& settings,
                                                   const AnalysisResults& results,
                                                   const FringeStore& pupil, int gridCount,
                                                   const SampleProgress& progress) {
    if (gridCount < 1 || gridCount > WavefrontGrid::kMaxGridCount)
        throw AnalysisError(AnalysisError::Kind::InvalidSettings,
                            "The grid count must be between 1 and 129, not " +
                                std::to_string(gridCount));
    const ApertureCircle& ap = pupil.aperture;
    const ApertureCircle& ob = pupil.obstruction;
    if (ap.radiusPx == 0.0)
        throw AnalysisError(AnalysisError::Kind::InvalidGeometry,
                            "The aperture circle is missing: mark the aperture first");

    auto sampled = std::make_unique<WavefrontGrid>();
    WavefrontGrid& grid = *sampled;
    const int n = gridCount;

    // Coefficients actually sampled: removed terms and piston count as absent.
    const int highest = std::min(settings.highestTerm, kZernikeTermCount - 1);
    std::array<double, kZernikeTermCount> used{};
    std::array<bool, kZernikeTermCount> include{};
    for (int t = 1; t <= highest; ++t) {
        const auto ut = static_cast<std::size_t>(t);
        include[ut] = !termIsRemoved(settings, t);
        used[ut] = results.coefficients[ut];
    }
    if (settings.input.analysisType == AnalysisType::Aspheric)
        used[8] = results.coefficients[8] - results.idealConicCoefficients[8];
    const double ratio = static_cast<double>(settings.wavelengthRatio);

    // Obstruction in normalised pupil units; none gives orad = 0.
    const double ox = (ob.centerXPx - ap.centerXPx) / ap.radiusPx;
    const double oy = (ob.centerYPx - ap.centerYPx) / ap.radiusPx;
    const double orad = ob.radiusPx / ap.radiusPx;

    grid.clear();
    grid.gridCount = n;
    for (int r = 0; r <= n; ++r) {
        if (progress)
            progress(99 * r / n);
        const double y = WavefrontGrid::nodeCoordinate(r, n);
        for (int c = 0; c <= n; ++c) {
            const double x = WavefrontGrid::nodeCoordinate(c, n);
            if (std::sqrt(y * y + x * x) > 1.0)
                continue;
            // No obstruction (radius 0) covers nothing, not even its centre.
            if (orad > 0.0 && !(std::sqrt((oy - y) * (oy - y) + (ox - x) * (ox - x)) > orad))
                continue;
            grid.setInPupil(r, c, true);
            double w = 0.0;
            const auto z = evaluateZernikeTerms(x, y);
            for (std::size_t t = 1; t <= static_cast<std::size_t>(highest); ++t)
                if (include[t])
                    w += z[t] * used[t];
            w *= ratio;
            if (!std::isfinite(w))
                throw AnalysisError(AnalysisError::Kind::NonFinite,
                                    "The wavefront is not a finite number: the coefficients "
                                    "are too large");
            grid.at(r, c) = w;
        }
    }

    double peak = WavefrontGrid::kNoPeak;
    double valley = WavefrontGrid::kNoValley;
    bool any = false;
    for (int r = 0; r <= n; ++r) {
        for (int c = 0; c <= n; ++c) {
            if (!grid.inPupil(r, c))
                continue;
            const double w = grid.at(r, c);
            any = true;
            if (w > peak)
                peak = w;
            if (w < valley)
                valley = w;
        }
    }
    grid.peak = peak;
    grid.valley = valley;
    // With no node in the pupil the sentinels would give a negative range of
    // about -2e9; a flat wavefront has no range, so it takes the same 1e-9 as
    // peak = valley.
    double range = any ? peak - valley : 0.0;
    if (range == 0.0)
        range = 1e-9;
    grid.range = range;
    return sampled;
}

std::unique_ptr<WavefrontGrid> sampleWavefrontGrid(const Measurement& m, int gridCount,
                                                   const SampleProgress& progress) {
    return sampleWavefrontGrid(m.settings, m.results, m.store, gridCount, progress);
}

} // namespace lumi
