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

} // namespace lumi
