#pragma once
// The six fixed 3 x 3 convolution filters and the convolution routine.

#include "imaging/pixelgrid.h"

#include <array>
#include <string_view>

namespace lumi {

enum class FilterKernel {
    Uniform,        // low-pass "3x3 Uniform": every weight 1/9
    Peaked,         // low-pass "3x3 Peaked": 1 2 1 / 2 3 2 / 1 2 1, over 15
    StronglyPeaked, // low-pass "3x3 Strongly Peaked": 1/20, centre 12/20
    VeryWeak,       // high-pass "3x3  Very Weak": -1/12, centre 20/12
    Weak,           // high-pass "3x3  Weak": -0.25, centre 3
    Strong,         // high-pass "3x3  Strong": 0 -1 0 / -1 5 -1 / 0 -1 0
};

// weights[k + 1][t + 1] for column offset k and row offset t, -1..1; single
// precision, each computed as the quotient shown above.
using KernelWeights = std::array<std::array<float, 3>, 3>;

KernelWeights kernelWeights(FilterKernel kernel);

// Convolution with the one-pixel black frame: output (x, y) for 1 <= x <= W - 2,
// 1 <= y <= H - 2 is, per component, a running sum over column offsets k = -1..1
// (outer) and row offsets t = -1..1 (inner) of input(x + k, y + t) x w(k, t),
// rounded to the nearest whole number (halves to even) after every product, then
// clamped to 0..255. The frame, and all of a picture under 3 x 3, is black.
PixelGrid applyFilterKernel(const PixelGrid& in, const KernelWeights& weights);

} // namespace lumi
