#include "analysis/fituncertainty.h"

#include "analysis/zernike.h"
#include "analysis/zernikefit.h"

#include <Eigen/Cholesky>
#include <Eigen/Core>

#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>

namespace lumi {
namespace {

using Matrix = Eigen::MatrixXd;

// (A^T A)^-1 of the leading n x n block. The block is scaled to a unit
// diagonal first: the Zernike terms differ in size by factors of ten, and the
// scaled matrix keeps the Cholesky factorisation away from rounding trouble.
std::optional<Matrix> inverseNormalMatrix(const NormalEquations& eq, int n) {
    const Eigen::Index size = n;
    Eigen::VectorXd scale(size);
    for (int k = 0; k < n; ++k) {
        const double d = eq.at(k, k);
        if (!(d > 0.0) || !std::isfinite(d))
            return std::nullopt; // a term that is 0 at every point
        scale(k) = 1.0 / std::sqrt(d);
    }
    Matrix scaled(size, size);
    for (int k = 0; k < n; ++k)
        for (int h = 0; h < n; ++h)
            scaled(k, h) = eq.at(k, h) * scale(k) * scale(h);
    const Eigen::LLT<Matrix> llt(scaled);
    if (llt.info() != Eigen::Success)
        return std::nullopt;
    Matrix inverse = llt.solve(Matrix::Identity(size, size));
    inverse = scale.asDiagonal() * inverse * scale.asDiagonal();
    if (!inverse.allFinite())
        return std::nullopt;
    for (Eigen::Index k = 0; k < size; ++k)
        if (!(inverse(k, k) > 0.0)) // rounding of a singular block
            return std::nullopt;
    return inverse;
}

} // namespace

FitUncertainty fitUncertainty(const NormalEquations& eq, double residualSumOfSquares) {
    FitUncertainty u;
    u.termCount = eq.termCount;
    u.pointCount = std::max(eq.sampleCount, 0);
    u.degreesOfFreedom = u.pointCount - u.termCount;
    const std::optional<Matrix> inverse = inverseNormalMatrix(eq, eq.termCount);
    const auto terms = static_cast<std::size_t>(eq.termCount);
    if (!inverse) {
        std::fill_n(u.noiseAmplification.begin(), terms, std::numeric_limits<double>::infinity());
        return u;
    }
    const double points = static_cast<double>(u.pointCount);
    for (int t = 0; t < eq.termCount; ++t)
        u.noiseAmplification[static_cast<std::size_t>(t)] = std::sqrt(points * (*inverse)(t, t));
    if (u.degreesOfFreedom <= 0 || !std::isfinite(residualSumOfSquares))
        return u;
    const double variance = residualSumOfSquares / static_cast<double>(u.degreesOfFreedom);
    u.residualSigma = std::sqrt(variance);
    u.covariance.resize(terms * terms);
    for (int k = 0; k < eq.termCount; ++k) {
        u.stdError[static_cast<std::size_t>(k)] = std::sqrt(variance * (*inverse)(k, k));
        for (int h = 0; h < eq.termCount; ++h)
            u.covariance[static_cast<std::size_t>(k) * terms + static_cast<std::size_t>(h)] =
                variance * (*inverse)(k, h);
    }
    return u;
}

FitUncertainty fitUncertainty(std::span<const ZernikeSample> samples,
                              const ZernikeCoefficients& fitted, int termCount) {
    const NormalEquations eq = buildNormalEquations(samples, termCount);
    double squares = 0.0;
    for (const ZernikeSample& s : samples) {
        const double residual = s.valueWaves - zernikeSum(fitted, termCount, s.x, s.y);
        squares += residual * residual;
    }
    return fitUncertainty(eq, squares);
}

FitUncertainty fitUncertainty(const FringeStore& store, float wavesPerFringe,
                              const ZernikeCoefficients& fitted, int highestTerm) {
    const int termCount = std::clamp(highestTerm, 0, kZernikeTermCount - 1) + 1;
    const std::vector<ZernikeSample> samples = fringeSamples(store, wavesPerFringe);
    return fitUncertainty(samples, fitted, termCount);
}

double largestNoiseAmplification(const NormalEquations& eq, int termCount) {
    const int n = std::clamp(termCount, 1, eq.termCount);
    const std::optional<Matrix> inverse = inverseNormalMatrix(eq, n);
    if (!inverse)
        return std::numeric_limits<double>::infinity();
    const double points = static_cast<double>(std::max(eq.sampleCount, 0));
    double largest = 0.0;
    for (int t = 0; t < n; ++t)
        largest = std::max(largest, std::sqrt(points * (*inverse)(t, t)));
    return largest;
}

} // namespace lumi
