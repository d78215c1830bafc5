#pragma once

#include <cassert>
#include <cstddef>
#include <vector>

namespace lumi {

// A square complex field of 513 x 513 samples (indices 0..512 each way) held as
// separate real and imaginary planes. Element (first, second) sits in row
// `first`; rows are contiguous, so transforms along the second index walk
// memory in order. Owned by the caller and reused between commands (4 MB).
class ComplexField {
public:
    static constexpr int kSize = 513;   // indices 0..512
    static constexpr int kStride = 520; // row pitch in doubles (keeps rows 64-byte spaced)

    ComplexField()
        : real_(static_cast<std::size_t>(kSize) * kStride, 0.0),
          imag_(static_cast<std::size_t>(kSize) * kStride, 0.0) {}

    double& real(int first, int second) { return real_[index(first, second)]; }
    double& imag(int first, int second) { return imag_[index(first, second)]; }
    double real(int first, int second) const { return real_[index(first, second)]; }
    double imag(int first, int second) const { return imag_[index(first, second)]; }

    double* realRow(int first) { return real_.data() + index(first, 0); }
    double* imagRow(int first) { return imag_.data() + index(first, 0); }

    // Sets samples 0..n-1 x 0..n-1 to 0.
    void clear(int n) {
        assert(n >= 0 && n <= kSize);
        for (int r = 0; r < n; ++r) {
            double* re = realRow(r);
            double* im = imagRow(r);
            for (int c = 0; c < n; ++c) {
                re[c] = 0.0;
                im[c] = 0.0;
            }
        }
    }

private:
    static std::size_t index(int first, int second) {
        assert(first >= 0 && first < kSize && second >= 0 && second < kSize);
        return static_cast<std::size_t>(first) * kStride + static_cast<std::size_t>(second);
    }

    std::vector<double> real_;
    std::vector<double> imag_;
};

} // namespace lumi
