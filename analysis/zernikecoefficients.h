#pragma once

#include <array>

namespace lumi {

// Terms 0..36 in the Fringe ordering (term 0 is piston). The store is 51 wide
// like the normal-equation store; entries 37..50 carry no meaning.
inline constexpr int kZernikeTermCount = 37;
inline constexpr int kZernikeSlots = 51;

// Coefficients indexed by term; the unit is stated by each owner (waves at the
// input wavelength inside the analysis, fringes in grids and .zrk files).
using ZernikeCoefficients = std::array<double, kZernikeSlots>;

} // namespace lumi
