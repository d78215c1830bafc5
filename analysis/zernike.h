#pragma once

#include "analysis/zernikecoefficients.h"

#include <array>
#include <string_view>

namespace lumi {

// Value of Fringe-ordered Zernike term n (0..36) at normalised pupil point (x, y):
// x = (imageX - apertureCentreX) / radius, y likewise (y grows downwards like the
// image rows). Not normalised: cos-type terms are 1 at (1, 0). Any n outside
// 0..36 gives 0. No check of rho <= 1.
double evaluateZernike(int n, double x, double y);

// Values of terms 0..36 at (x, y) in one call (sharing the powers of r2);
// element n is what evaluateZernike(n, x, y) returns.
std::array<double, kZernikeTermCount> evaluateZernikeTerms(double x, double y);

// Sum of c[t] x term t at (x, y) over terms 0..termCount-1 (termCount at most
// 37), added in term order.
double zernikeSum(const ZernikeCoefficients& c, int termCount, double x, double y);

// Description shown in the coefficient grid, blanks included ("  Power ").
// Empty for n outside 0..36.
std::string_view zernikeDescription(int n);

} // namespace lumi
