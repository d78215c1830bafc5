#pragma once

#include <array>
#include <cassert>

namespace lumi {

// The sampled wavefront: nodes (r, c), 0..N each way, node (r, c) at normalised
// pupil x = -1 + 2c/N, y = -1 + 2r/N (rows grow downwards like the image).
// Values in waves at the output wavelength. Which nodes pass light is decided
// once, from the circles, when sampling (inPupil); a node in the pupil may hold
// exactly 0 like any other value. Nodes outside the pupil and beyond N hold 0
// (the plots paint a node whose value is exactly 0 white).
class WavefrontGrid {
public:
    static constexpr int kStoreSize = 130; // nodes 0..129
    static constexpr int kMaxGridCount = 129;
    static constexpr double kNoPeak = -999999999.0;
    static constexpr double kNoValley = 999999999.0;

    int gridCount = 0;         // N
    double peak = kNoPeak;     // largest node value in the pupil
    double valley = kNoValley; // smallest node value in the pupil
    double range = 1e-9;       // peak - valley, never 0

    // Normalised pupil coordinate of node index i (column -> x, row -> y) for grid
    // count n: i * (2/n) - 1 computed in single precision, as the sampler does.
    static double nodeCoordinate(int i, int n) {
        const float step = 2.0f / static_cast<float>(n);
        return static_cast<double>(static_cast<float>(i) * step - 1.0f);
    }

    double at(int r, int c) const {
        assert(r >= 0 && r < kStoreSize && c >= 0 && c < kStoreSize);
        return values_[static_cast<std::size_t>(r * kStoreSize + c)];
    }
    double& at(int r, int c) {
        assert(r >= 0 && r < kStoreSize && c >= 0 && c < kStoreSize);
        return values_[static_cast<std::size_t>(r * kStoreSize + c)];
    }
    // True when node (r, c) lies in the pupil: on or inside the unit circle and
    // outside the obstruction.
    bool inPupil(int r, int c) const {
        assert(r >= 0 && r < kStoreSize && c >= 0 && c < kStoreSize);
        return inPupil_[static_cast<std::size_t>(r * kStoreSize + c)];
    }
    void setInPupil(int r, int c, bool open) {
        assert(r >= 0 && r < kStoreSize && c >= 0 && c < kStoreSize);
        inPupil_[static_cast<std::size_t>(r * kStoreSize + c)] = open;
    }

    void clear() {
        values_.fill(0.0);
        inPupil_.fill(false);
        gridCount = 0;
        peak = kNoPeak;
        valley = kNoValley;
        range = 1e-9;
    }

private:
    std::array<double, kStoreSize * kStoreSize> values_{};
    std::array<bool, kStoreSize * kStoreSize> inPupil_{};
};

} // namespace lumi
