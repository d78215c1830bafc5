#include "optics/fieldtransform.h"

#include "optics/fourier.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdio>
#include <cstdlib>

namespace lumi {

namespace {

constexpr int kStripWidth = 32; // lines transformed together (32 x 512 x 16 B fits in L2)
constexpr int kTile = 16;       // transpose tile

std::size_t at(int row, int stride, int col) {
    return static_cast<std::size_t>(row) * static_cast<std::size_t>(stride) +
           static_cast<std::size_t>(col);
}

// dst (pitch dstStride) = transpose of the n x n block src (pitch srcStride).
void transpose(const double* src, int srcStride, double* dst, int dstStride, int n) {
    for (int r0 = 0; r0 < n; r0 += kTile) {
        for (int c0 = 0; c0 < n; c0 += kTile) {
            const int rEnd = std::min(n, r0 + kTile);
            const int cEnd = std::min(n, c0 + kTile);
            for (int r = r0; r < rEnd; ++r) {
                for (int c = c0; c < cEnd; ++c) {
                    dst[at(c, dstStride, r)] = src[at(r, srcStride, c)];
                }
            }
        }
    }
}

// Sizes come from the program, never from the user: a bad one is a bug.
void require(bool condition, const char* what) {
    if (!condition) {
        std::fputs(what, stderr);
        std::abort();
    }
}

} // namespace

void FieldTransform::prepare(int n) {
    require(Fourier::sizeValid(n) && n <= Fourier::kMaxSamples,
            "FieldTransform: the size is not a power of two from 2 to 512.\n");
    if (n == n_) {
        return;
    }
    n_ = n;
    const std::uint8_t bits = Fourier::bitCount(n);
    bitReversed_.resize(static_cast<std::size_t>(n));
    for (int i = 0; i < n; ++i) {
        bitReversed_[static_cast<std::size_t>(i)] = Fourier::bitReverse(i, bits);
    }
    // The same recurrence as Fourier::transform, so the cached values are the
    // ones it would compute butterfly by butterfly.
    twiddleCos_.assign(static_cast<std::size_t>(n), 0.0);
    twiddleSin_.assign(static_cast<std::size_t>(n), 0.0);
    for (int half = 1, block = 2; block <= n; half = block, block *= 2) {
        const double theta = Fourier::kTwoPi / block;
        const double sinHalf = std::sin(theta / 2);
        const double alpha = sinHalf * (sinHalf * 2);
        const double beta = std::sin(theta);
        double c = 1.0;
        double d = 0.0;
        for (int t = 0; t < half; ++t) {
            twiddleCos_[static_cast<std::size_t>(half - 1 + t)] = c;
            twiddleSin_[static_cast<std::size_t>(half - 1 + t)] = d;
            const double cNext = c - (c * alpha + d * beta);
            d = d - (d * alpha - c * beta);
            c = cNext;
        }
    }
    scratchRe_.assign(static_cast<std::size_t>(n) * static_cast<std::size_t>(n), 0.0);
    scratchIm_.assign(scratchRe_.size(), 0.0);
}

void FieldTransform::transformBlock(double* re, double* im, int stride, int n, int columnBegin,
                                    int columnEnd) const {
    // Bit-reversed order of the lines (the permutation is its own inverse).
    for (int i = 0; i < n; ++i) {
        const int j = bitReversed_[static_cast<std::size_t>(i)];
        if (i < j) {
            std::swap_ranges(re + at(i, stride, columnBegin), re + at(i, stride, columnEnd),
                             re + at(j, stride, columnBegin));
            std::swap_ranges(im + at(i, stride, columnBegin), im + at(i, stride, columnEnd),
                             im + at(j, stride, columnBegin));
        }
    }
    for (int col0 = columnBegin; col0 < columnEnd; col0 += kStripWidth) {
        const int width = std::min(kStripWidth, columnEnd - col0);
        for (int half = 1, block = 2; block <= n; half = block, block *= 2) {
            const double* cosines = twiddleCos_.data() + (half - 1);
            const double* sines = twiddleSin_.data() + (half - 1);
            for (int m = 0; m < n; m += block) {
                for (int t = 0; t < half; ++t) {
                    const double c = cosines[t];
                    const double d = sines[t];
                    double* __restrict reJ = re + at(m + t, stride, col0);
                    double* __restrict imJ = im + at(m + t, stride, col0);
                    double* __restrict reK = re + at(m + t + half, stride, col0);
                    double* __restrict imK = im + at(m + t + half, stride, col0);
                    for (int q = 0; q < width; ++q) {
                        const double a = c * reK[q] - d * imK[q];
                        const double b = c * imK[q] + d * reK[q];
                        reK[q] = reJ[q] - a;
                        imK[q] = imJ[q] - b;
                        reJ[q] = reJ[q] + a;
                        imJ[q] = imJ[q] + b;
                    }
                }
            }
        }
    }
}

void FieldTransform::alongFirst(ComplexField& field, int n, int columnBegin, int columnEnd) {
    prepare(n);
    require(0 <= columnBegin && columnBegin <= columnEnd && columnEnd <= n,
            "FieldTransform: the column range lies outside the block.\n");
    transformBlock(field.realRow(0), field.imagRow(0), ComplexField::kStride, n, columnBegin,
                   columnEnd);
}

void FieldTransform::alongSecond(ComplexField& field, int n) {
    prepare(n);
    double* re = field.realRow(0);
    double* im = field.imagRow(0);
    transpose(re, ComplexField::kStride, scratchRe_.data(), n, n);
    transpose(im, ComplexField::kStride, scratchIm_.data(), n, n);
    transformBlock(scratchRe_.data(), scratchIm_.data(), n, n, 0, n);
    transpose(scratchRe_.data(), n, re, ComplexField::kStride, n);
    transpose(scratchIm_.data(), n, im, ComplexField::kStride, n);
}

} // namespace lumi
