#pragma once

#include <cstdint>
#include <vector>

namespace lumi::phase {

// The wrapped phase and the fringe modulation of a phase-shifted frame set,
// width x height, row-major from the top-left pixel (y downwards). Map pixel
// (i, j) is the sum of binFactor x binFactor picture pixels, its centre at
// picture position (pictureX(i), pictureY(j)).
//
// Convention: frame k is I_k = A + B cos(phi - delta_k) with delta_k its step
// (radians). phi grows with the wavefront height like the traced fringe order
// (height = waves per fringe x phi / 2 pi + a constant), so a positive step
// moves every fringe towards higher order (towards the higher wavefront).
struct PhaseShiftMap {
    int width = 0;
    int height = 0;
    std::vector<double> phaseRad;      // phi wrapped into (-pi, pi]
    std::vector<float> modulation;     // B in grey levels (0 .. 127.5)
    std::vector<std::uint8_t> clipped; // 1 where some frame reached 255 (saturated)
    int binFactor = 1;

    double pictureX(double i) const { return binFactor * i + 0.5 * (binFactor - 1); }
    double pictureY(double j) const { return binFactor * j + 0.5 * (binFactor - 1); }
};

} // namespace lumi::phase
