#pragma once

#include "analysis/normalequations.h"
#include "analysis/zernikecoefficients.h"
#include "analysis/zernikesample.h"
#include "fringe/fringestore.h"

#include <span>
#include <vector>

namespace lumi {

// How well the points determine each fitted term. Terms 0..termCount-1, term t
// at index t; waves at the input wavelength like the fitted coefficients.
//
// With M points, T terms and S the sum of squared residuals against the fitted
// (not reference-corrected) coefficients, the residual scatter is
// sigma = sqrt(S / (M - T)) (M - T degrees of freedom), the covariance of the
// coefficients is sigma^2 (A^T A)^-1 and the 1 sigma standard error of term t
// is sigma sqrt([(A^T A)^-1]_tt). The noise amplification of term t,
// sqrt(M [(A^T A)^-1]_tt), is the standard error the term would get from unit
// noise on every point, scaled to the point count: it does not depend on the
// residual, so it tells whether the layout of the points can determine a term.
struct FitUncertainty {
    int termCount = 0;
    int pointCount = 0;
    int degreesOfFreedom = 0; // pointCount - termCount
    double residualSigma = 0.0;
    ZernikeCoefficients stdError{};           // 1 sigma, waves
    ZernikeCoefficients noiseAmplification{}; // dimensionless
    std::vector<double> covariance;           // termCount x termCount, row-major, waves^2

    // A standard error exists only with spare points (M > T) and an inverse.
    bool available() const { return degreesOfFreedom > 0 && !covariance.empty(); }
    double covarianceAt(int row, int col) const {
        return covariance[static_cast<std::size_t>(row * termCount + col)];
    }
};

// The uncertainty from normal equations as built (not yet solved) and the sum
// of squared residuals of the solution. A matrix that cannot be inverted (not
// positive definite in double precision) gives no covariance and an infinite
// amplification for every term; fewer points than terms give no standard error.
FitUncertainty fitUncertainty(const NormalEquations& eq, double residualSumOfSquares);

// The same for a fit of terms 0..termCount-1 with `fitted` coefficients to
// `samples`: builds the normal equations and the residuals.
FitUncertainty fitUncertainty(std::span<const ZernikeSample> samples,
                              const ZernikeCoefficients& fitted, int termCount);

// The same for the points of `store`, sampled as the fit samples them.
FitUncertainty fitUncertainty(const FringeStore& store, float wavesPerFringe,
                              const ZernikeCoefficients& fitted, int highestTerm);

// The largest noise amplification of any term of a fit of terms
// 0..termCount-1 (the leading block of eq), infinite when the block cannot be
// inverted. termCount 1..eq.termCount.
double largestNoiseAmplification(const NormalEquations& eq, int termCount);

} // namespace lumi
