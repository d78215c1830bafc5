#include "analysis/syntheticheightmap.h"

namespace lumi {

SyntheticHeightMap::SyntheticHeightMap(int gridSize)
    : d_(gridSize),
      h_(static_cast<std::size_t>(gridSize + 1) * static_cast<std::size_t>(gridSize + 1), 0.0) {
    assert(gridSize >= 0 && gridSize <= kMaxGridSize);
}

void SyntheticHeightMap::updateExtremes() {
    peak_ = WavefrontGrid::kNoPeak;
    valley_ = WavefrontGrid::kNoValley;
    for (const double h : h_) {
        if (h == 0.0) {
            continue;
        }
        if (h > peak_) {
            peak_ = h;
        }
        if (h < valley_) {
            valley_ = h;
        }
    }
}

void SyntheticHeightMap::overwriteExtremes(WavefrontGrid& grid) const {
    grid.peak = peak_;
    grid.valley = valley_;
    const bool any = peak_ != WavefrontGrid::kNoPeak || valley_ != WavefrontGrid::kNoValley;
    const double r = any ? range() : 0.0;
    grid.range = (r == 0.0) ? 1e-9 : r;
}

} // namespace lumi
