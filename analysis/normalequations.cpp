#include "analysis/normalequations.h"

#include "analysis/analysiserror.h"
#include "analysis/zernike.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <string>

namespace lumi {

namespace {

using Pair = double __attribute__((vector_size(2 * sizeof(double))));

Pair loadPair(const double* p) {
    Pair v;
    std::memcpy(&v, p, sizeof v);
    return v;
}

// Adds the products of four samples to the upper triangle and the rhs, sample
// by sample for every entry (same order and bits as one sample at a time).
void accumulateBlock(double* upper, double* rhs,
                     const std::array<std::array<double, kZernikeTermCount>, 4>& z,
                     const std::array<double, 4>& value, std::size_t n) {
    const double* z0 = z[0].data();
    const double* z1 = z[1].data();
    const double* z2 = z[2].data();
    const double* z3 = z[3].data();
    for (std::size_t k = 0; k < n; ++k) {
        const double a0 = z0[k], a1 = z1[k], a2 = z2[k], a3 = z3[k];
        double* row = upper + k * n;
        std::size_t h = k;
        // Two entries at a time in SSE2 registers (baseline x86-64; other
        // targets get plain pairs). Lane-wise IEEE mul/add: same bits as scalar.
        const Pair b0 = {a0, a0}, b1 = {a1, a1}, b2 = {a2, a2}, b3 = {a3, a3};
        for (; h + 2 <= n; h += 2) {
            Pair acc = loadPair(row + h);
            acc += b0 * loadPair(z0 + h);
            acc += b1 * loadPair(z1 + h);
            acc += b2 * loadPair(z2 + h);
            acc += b3 * loadPair(z3 + h);
            std::memcpy(row + h, &acc, sizeof acc);
        }
        for (; h < n; ++h) {
            double acc = row[h];
            acc += a0 * z0[h];
            acc += a1 * z1[h];
            acc += a2 * z2[h];
            acc += a3 * z3[h];
            row[h] = acc;
        }
        double acc = rhs[k];
        acc += a0 * value[0];
        acc += a1 * value[1];
        acc += a2 * value[2];
        acc += a3 * value[3];
        rhs[k] = acc;
    }
}

} // namespace

NormalEquations buildNormalEquations(std::span<const ZernikeSample> samples, int termCount) {
    if (termCount < 1 || termCount > NormalEquations::kStoreSize)
        throw AnalysisError(AnalysisError::Kind::SingularFit,
                            "The fit needs between 1 and 51 terms, not " +
                                std::to_string(termCount));
    const auto n = static_cast<std::size_t>(termCount);
    const std::size_t evaluated = std::min<std::size_t>(n, kZernikeTermCount);

    // Upper triangle accumulated in a compact n x n block (stays in L1). Each
    // entry is a plain running sum over the samples in order; samples are taken
    // kBlock at a time so an entry is loaded and stored once per block, but
    // still receives their products one after another. a_k * a_h is
    // commutative in IEEE arithmetic, so mirroring the triangle is exact.
    std::array<double, kZernikeTermCount * kZernikeTermCount> upper{};
    std::array<double, kZernikeTermCount> rhs{};
    constexpr std::size_t kBlock = 4;
    std::array<std::array<double, kZernikeTermCount>, kBlock> z{};
    std::array<double, kBlock> value{};
    std::size_t i = 0;
    while (i < samples.size()) {
        const std::size_t inBlock = std::min(kBlock, samples.size() - i);
        for (std::size_t b = 0; b < kBlock; ++b) {
            // A short last block is padded with zero rows: a running sum that
            // starts at +0.0 is never -0.0, so adding +0.0 changes no bit.
            if (b < inBlock) {
                z[b] = evaluateZernikeTerms(samples[i + b].x, samples[i + b].y);
                value[b] = samples[i + b].valueWaves;
            } else {
                z[b].fill(0.0);
                value[b] = 0.0;
            }
        }
        accumulateBlock(upper.data(), rhs.data(), z, value, evaluated);
        i += inBlock;
    }

    NormalEquations eq;
    eq.termCount = termCount;
    eq.sampleCount = static_cast<int>(samples.size());
    for (std::size_t k = 0; k < evaluated; ++k) {
        for (std::size_t h = k; h < evaluated; ++h) {
            const double v = upper[k * evaluated + h];
            eq.at(static_cast<int>(k), static_cast<int>(h)) = v;
            eq.at(static_cast<int>(h), static_cast<int>(k)) = v;
        }
        eq.rhs[k] = rhs[k];
    }
    return eq;
}

void solveNormalEquations(NormalEquations& eq) {
    const int n = eq.termCount;
    const auto singular = [n] {
        return AnalysisError(AnalysisError::Kind::SingularFit,
                             "The points do not determine " + std::to_string(n) +
                                 " terms (for example all points on rings): choose fewer terms "
                                 "or add points across the rings.");
    };
    eq.smallestRelativePivot = 0.0;
    if (eq.sampleCount >= 0 && eq.sampleCount < n)
        throw singular();
    std::array<int, NormalEquations::kStoreSize> pivotCount{};
    double largestPivot = 0.0; // the first pivot: the largest entry of the matrix
    double smallestRatio = 1.0;
    for (int step = 0; step < n; ++step) {
        // Full pivot search, row-major; ">=" lets the last equal magnitude win
        // and takes a leading 0 when everything left is 0.
        double big = 0.0;
        int pivotRow = -1;
        int pivotCol = -1;
        for (int j = 0; j < n; ++j) {
            if (pivotCount[static_cast<std::size_t>(j)] == 1)
                continue;
            for (int k = 0; k < n; ++k) {
                if (pivotCount[static_cast<std::size_t>(k)] != 0)
                    continue;
                const double mag = std::fabs(eq.at(j, k));
                if (mag >= big) {
                    big = mag;
                    pivotRow = j;
                    pivotCol = k;
                }
            }
        }
        if (pivotCol < 0) // only NaN left
            throw AnalysisError(AnalysisError::Kind::NonFinite,
                                "The fit gave an invalid result (not a finite number)");
        ++pivotCount[static_cast<std::size_t>(pivotCol)];

        if (pivotRow != pivotCol) {
            for (int l = 0; l < n; ++l)
                std::swap(eq.at(pivotRow, l), eq.at(pivotCol, l));
            std::swap(eq.rhs[static_cast<std::size_t>(pivotRow)],
                      eq.rhs[static_cast<std::size_t>(pivotCol)]);
        }

        // In exact arithmetic a rank-deficient system reaches a zero pivot;
        // rounding leaves one of about 1e-16 of the largest instead, whose
        // inverse turns noise into huge coefficients. A pivot below
        // kRelativePivotTolerance of the first one therefore ends the fit.
        if (step == 0)
            largestPivot = big;
        const double ratio = largestPivot > 0.0 ? big / largestPivot : 0.0;
        smallestRatio = std::min(smallestRatio, ratio);
        eq.smallestRelativePivot = smallestRatio;
        if (!(ratio > kRelativePivotTolerance))
            throw singular();

        const int p = pivotCol;
        const auto pu = static_cast<std::size_t>(p);
        const double scale = 1.0 / eq.at(p, p);
        eq.at(p, p) = 1.0;
        for (int l = 0; l < n; ++l)
            eq.at(p, l) *= scale;
        eq.rhs[pu] *= scale;

        for (int r = 0; r < n; ++r) {
            if (r == p)
                continue;
            const double d = eq.at(r, p);
            eq.at(r, p) = 0.0;
            for (int l = 0; l < n; ++l)
                eq.at(r, l) -= eq.at(p, l) * d;
            eq.rhs[static_cast<std::size_t>(r)] -= eq.rhs[pu] * d;
        }
    }
    for (int k = 0; k < n; ++k)
        if (!std::isfinite(eq.rhs[static_cast<std::size_t>(k)]))
            throw AnalysisError(AnalysisError::Kind::NonFinite,
                                "The fit gave an invalid result (not a finite number)");
}

} // namespace lumi
