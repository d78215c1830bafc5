#pragma once

#include "common/mathconstants.h"

#include <array>
#include <cstdint>

namespace lumi {

// One-dimensional radix-2 decimation-in-time FFT of complex samples, out of
// place: X[k] = sum_m x[m] exp(+2 pi i m k / n). Positive exponent, no inverse
// mode, no 1/n scaling. Twiddles come from a two-term recurrence started at
// (1, 0) in every block; sines are taken once per block size.
//
// The caller fills inputReal/inputImag[0..n-1], sets sampleCount = n (a power of
// two, 2..512), calls transform() and reads outputReal/outputImag[0..n-1]. The
// input arrays are left unchanged; nothing is allocated.
class Fourier {
public:
    static constexpr int kMaxSamples = 512;
    static constexpr int kArraySize = kMaxSamples + 1; // indices 0..512

    int sampleCount = 0;
    std::array<double, kArraySize> inputReal{};
    std::array<double, kArraySize> inputImag{};
    std::array<double, kArraySize> outputReal{};
    std::array<double, kArraySize> outputImag{};

    // Transforms the sampleCount input samples into the output arrays. An
    // invalid sample count (not a power of two, below 2 or above 512) is a
    // programming error: it prints the reason to stderr and aborts.
    void transform();

    // Smallest i in 0..16 whose bit is set in n; 0 when none is. log2 n for a power of two.
    static std::uint8_t bitCount(std::int32_t n);
    // True when n > 1 and n is a power of two (no upper bound).
    static bool sizeValid(std::int32_t n);
    // The low `bits` bits of index in reverse order.
    static std::int32_t bitReverse(std::int32_t index, std::uint8_t bits);

    // 2 pi as the transform uses it (15 significant digits).
    static constexpr double kTwoPi = kTwoPiRounded14;
};

} // namespace lumi
