#pragma once

#include "analysis/wavefrontgrid.h"

#include <cassert>
#include <vector>

namespace lumi {

// Wavefront heights on nodes (i, j), i, j = 0..d, node (i, j) at normalised pupil
// x = j (2/d) - 1, y = i (2/d) - 1 (rows grow downwards like the image). Waves at
// the input wavelength; exactly 0 outside the pupil and inside the obstruction.
class SyntheticHeightMap {
public:
    static constexpr int kMaxGridSize = 256;

    explicit SyntheticHeightMap(int gridSize = 0);

    int gridSize() const { return d_; }
    double at(int i, int j) const {
        assert(i >= 0 && i <= d_ && j >= 0 && j <= d_);
        return h_[index(i, j)];
    }
    double& at(int i, int j) {
        assert(i >= 0 && i <= d_ && j >= 0 && j <= d_);
        return h_[index(i, j)];
    }

    // Largest and smallest nonzero height (WavefrontGrid's sentinels when there is
    // none) and their difference, which may be 0 or negative here.
    double peak() const { return peak_; }
    double valley() const { return valley_; }
    double range() const { return peak_ - valley_; }
    void updateExtremes();

private:
    std::size_t index(int i, int j) const {
        return static_cast<std::size_t>(i) * static_cast<std::size_t>(d_ + 1) +
               static_cast<std::size_t>(j);
    }
    int d_ = 0;
    std::vector<double> h_;
    double peak_ = WavefrontGrid::kNoPeak;
    double valley_ = WavefrontGrid::kNoValley;
};

} // namespace lumi
