#include "optics/fourier.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace lumi {

std::uint8_t Fourier::bitCount(std::int32_t n) {
    for (std::uint8_t i = 0; i <= 16; ++i) {
        if ((n & (std::int32_t{1} << i)) != 0) {
            return i;
        }
    }
    return 0;
}

bool Fourier::sizeValid(std::int32_t n) {
    return n > 1 && (n & (n - 1)) == 0;
}

std::int32_t Fourier::bitReverse(std::int32_t index, std::uint8_t bits) {
    std::int32_t result = 0;
    for (int i = 0; i < bits; ++i) {
        result = (result * 2) | (index & 1);
        index /= 2;
    }
    return result;
}

void Fourier::transform() {
    const int n = sampleCount;
    if (!sizeValid(n) || n > kMaxSamples) {
        // Callers only pass fixed sizes; reaching this is a bug, not user input.
        const std::string message = "Error in procedure Fourier:\n NumSamples is " +
                                    std::to_string(n) +
                                    ", which is not a positive integer power of two.\n";
        std::fputs(message.c_str(), stderr);
        std::abort();
    }
    const std::uint8_t bits = bitCount(n);
    for (int i = 0; i < n; ++i) {
        const auto j = static_cast<std::size_t>(bitReverse(i, bits));
        outputReal[j] = inputReal[static_cast<std::size_t>(i)];
        outputImag[j] = inputImag[static_cast<std::size_t>(i)];
    }

    double* re = outputReal.data();
    double* im = outputImag.data();
    for (int half = 1, block = 2; block <= n; half = block, block *= 2) {
        const double theta = kTwoPi / block;
        const double sinHalf = std::sin(theta / 2);
        const double alpha = sinHalf * (sinHalf * 2); // 2 sin^2(theta/2) = 1 - cos(theta)
        const double beta = std::sin(theta);
        for (int m = 0; m < n; m += block) {
            double c = 1.0;
            double d = 0.0;
            for (int j = m; j < m + half; ++j) {
                const int k = j + half;
                const double a = c * re[k] - d * im[k];
                const double b = c * im[k] + d * re[k];
                re[k] = re[j] - a;
                im[k] = im[j] - b;
                re[j] = re[j] + a;
                im[j] = im[j] + b;
                // Turn (c, d) by +theta.
                const double cNext = c - (c * alpha + d * beta);
                d = d - (d * alpha - c * beta);
                c = cNext;
            }
        }
    }
}

} // namespace lumi
