#pragma once

#include "optics/complexfield.h"

#include <vector>

namespace lumi {

// Two-dimensional transforms of the n x n corner of a ComplexField built from
// one-dimensional transforms with the arithmetic of Fourier (positive exponent,
// no scaling): every line gives the same numbers as copying it into Fourier,
// transforming and copying back. The twiddles of each block size are produced
// once by Fourier's recurrence and cached, and the butterflies run over many
// lines at once so that they vectorise. n is a power of two, 2..512; another
// size is a programming error and aborts, like Fourier.
class FieldTransform {
public:
    // For every second index 0..n-1, transforms the n samples along the first index.
    void alongFirst(ComplexField& field, int n) { alongFirst(field, n, 0, n); }
    // The same, for second indices columnBegin..columnEnd-1 only: the caller
    // knows the other lines are all zero, and the transform of zeros is zeros.
    void alongFirst(ComplexField& field, int n, int columnBegin, int columnEnd);
    // For every first index 0..n-1, transforms the n samples along the second index.
    void alongSecond(ComplexField& field, int n);
    // alongFirst, then alongSecond: the order of the row/column passes in the plots.
    void transform2d(ComplexField& field, int n) {
        alongFirst(field, n);
        alongSecond(field, n);
    }

private:
    void prepare(int n);
    // Transforms along the first index of an n x n block with row pitch
    // `stride`, columns columnBegin..columnEnd-1.
    void transformBlock(double* re, double* im, int stride, int n, int columnBegin,
                        int columnEnd) const;

    int n_ = 0;
    std::vector<int> bitReversed_;   // bit-reversed index of 0..n-1
    std::vector<double> twiddleCos_; // block size 2h: entries h-1 .. 2h-2
    std::vector<double> twiddleSin_;
    std::vector<double> scratchRe_; // transposed block for alongSecond
    std::vector<double> scratchIm_;
};

} // namespace lumi
