#include "analysis/syntheticpupil.h"

#include "analysis/analysiserror.h"
#include "analysis/wavefrontgrid.h"
#include "analysis/zernike.h"

#include <cmath>
#include <string>

namespace lumi {

SyntheticPupil::SyntheticPupil(const FringeStore& store, int gridSize) : d_(gridSize) {
    if (gridSize < 1 || gridSize > SyntheticHeightMap::kMaxGridSize) {
        throw AnalysisError(AnalysisError::Kind::InvalidSettings,
                            "The synthetic grid size must be between 1 and 256, not " +
                                std::to_string(gridSize));
    }
    const ApertureCircle& ap = store.aperture;
    const ApertureCircle& ob = store.obstruction;
    if (ob.radiusPx > 0.0) {
        if (!(ap.radiusPx > 0.0)) {
            throw AnalysisError(AnalysisError::Kind::InvalidGeometry,
                                "The aperture circle is missing: mark the aperture first");
        }
        obstructed_ = true;
        ox_ = (ob.centerXPx - ap.centerXPx) / ap.radiusPx;
        oy_ = (ob.centerYPx - ap.centerYPx) / ap.radiusPx;
        orad_ = ob.radiusPx / ap.radiusPx;
    }
}

SyntheticHeightMap SyntheticPupil::heights(const Coefficients& coefficients,
                                           const std::function<void(int)>& progress) const {
    int highest = 0;
    for (int t = 1; t < kZernikeTermCount; ++t) {
        if (coefficients[static_cast<std::size_t>(t)] != 0.0) {
            highest = t;
        }
    }
    SyntheticHeightMap map(d_);
    for (int i = 0; i <= d_; ++i) {
        if (progress) {
            progress(99 * i / d_);
        }
        const double y = WavefrontGrid::nodeCoordinate(i, d_);
        for (int j = 0; j <= d_; ++j) {
            const double x = WavefrontGrid::nodeCoordinate(j, d_);
            if (std::sqrt(y * y + x * x) > 1.0) {
                continue;
            }
            if (obstructed_ &&
                !(std::sqrt((oy_ - y) * (oy_ - y) + (ox_ - x) * (ox_ - x)) > orad_)) {
                continue;
            }
            const auto z = evaluateZernikeTerms(x, y);
            double h = 0.0;
            for (std::size_t t = 1; t <= static_cast<std::size_t>(highest); ++t) {
                h += z[t] * coefficients[t];
            }
            if (!std::isfinite(h)) {
                throw AnalysisError(AnalysisError::Kind::NonFinite,
                                    "The synthetic wavefront is not a finite number: the "
                                    "coefficients are too large");
            }
            map.at(i, j) = h;
        }
    }
    map.updateExtremes();
    return map;
}

} // namespace lumi
