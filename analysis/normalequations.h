#pragma once

#include "analysis/zernikecoefficients.h"
#include "analysis/zernikesample.h"

#include <array>
#include <span>

namespace lumi {

// Normal equations of a least-squares Zernike fit in a fixed 51 x 51 store.
// Term t sits in row and column t (0-based): matrix(k, h) = sum_i Z_k(p_i) Z_h(p_i),
// rhs(k) = sum_i Z_k(p_i) value_i. After solveNormalEquations the rhs holds the
// solution (coefficient of term t in rhs[t]) and the matrix is destroyed.
struct NormalEquations {
    static constexpr int kStoreSize = kZernikeSlots;

    int termCount = 0;    // n: rows/columns 0..n-1 in use
    int sampleCount = -1; // samples summed in; -1 when the system was set up by hand
    std::array<double, kStoreSize * kStoreSize> matrix{};
    std::array<double, kStoreSize> rhs{};
    // Set by solveNormalEquations: the smallest pivot magnitude met divided by
    // the first (largest) one; on a SingularFit error, the ratio that stopped it.
    double smallestRelativePivot = 0.0;

    double& at(int row, int col) { return matrix[index(row, col)]; }
    double at(int row, int col) const { return matrix[index(row, col)]; }

private:
    static std::size_t index(int row, int col) {
        return static_cast<std::size_t>(row * kStoreSize + col);
    }
};

// Builds the normal equations of terms 0..termCount-1 (1..51; terms above 36
// contribute zeros) from the samples. Every sum runs over the samples in the
// order given, so equal inputs give equal bits whatever the caller.
NormalEquations buildNormalEquations(std::span<const ZernikeSample> samples, int termCount);

// A pivot at or below this fraction of the first (largest) pivot means the
// points do not determine the terms. Rank-deficient fits (points on too few
// rings or lines) end near 1e-15 (rounding of a zero pivot); well-posed fits of
// the examples and samples stay above 3e-5 with any term count. Halfway (in
// decades) between: RelativePivotThreshold in the tests records both sides.
inline constexpr double kRelativePivotTolerance = 1e-10;

// Solves eq in place by Gauss-Jordan elimination with full pivoting (pivot
// search row-major with ">=", so the last of equal magnitudes wins; row swaps
// only). Throws AnalysisError SingularFit when a pivot is not above
// kRelativePivotTolerance of the first one or when fewer samples than terms
// were summed, NonFinite when the solution is not finite. A solve that does not
// throw computes exactly what it did without the threshold.
void solveNormalEquations(NormalEquations& eq);

} // namespace lumi
