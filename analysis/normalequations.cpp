#include "analysis/normalequations.h"

#include "analysis/analysiserror.h"
#include "analysis/zernike.h"

#include <algorithm>
#include <cmath>
#include <string>

namespace lumi {

NormalEquations buildNormalEquations(std::span<const ZernikeSample> samples, int termCount) {
    if (termCount < 1 || termCount > NormalEquations::kStoreSize)
        throw AnalysisError(AnalysisError::Kind::SingularFit,
                            "The fit needs between 1 and 51 terms, not " +
                                std::to_string(termCount));
    const auto n = static_cast<std::size_t>(termCount);
    const std::size_t evaluated = std::min<std::size_t>(n, kZernikeTermCount);

    // Upper triangle accumulated in a compact n x n block (stays in L1); each
    // entry is a plain running sum over the samples in order. The product
    // a_k * a_h is commutative in IEEE arithmetic, so mirroring is exact.
    std::array<double, kZernikeTermCount * kZernikeTermCount> upper{};
    std::array<double, kZernikeTermCount> rhs{};
    for (const ZernikeSample& s : samples) {
        const std::array<double, kZernikeTermCount> a = evaluateZernikeTerms(s.x, s.y);
        for (std::size_t k = 0; k < evaluated; ++k) {
            const double ak = a[k];
            double* row = upper.data() + k * evaluated;
            for (std::size_t h = k; h < evaluated; ++h)
                row[h] += ak * a[h];
            rhs[k] += ak * s.valueWaves;
        }
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
                             "The fit is singular: too few independent points for " +
                                 std::to_string(n) + " terms");
    };
    if (eq.sampleCount >= 0 && eq.sampleCount < n)
        throw singular();
    std::array<int, NormalEquations::kStoreSize> pivotCount{};
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

        const int p = pivotCol;
        const auto pu = static_cast<std::size_t>(p);
        if (eq.at(p, p) == 0.0)
            throw singular();
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
