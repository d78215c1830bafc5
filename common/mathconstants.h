#pragma once
// The program's mathematical constants, in one place.

#include <numbers>

namespace lumi {

// pi to full double precision, for new computations.
inline constexpr double kPi = std::numbers::pi;

// pi rounded to 14 decimals, the value every result of the analysis and every
// plot has been computed with (aberration angles, the Strehl estimate, pupil
// phases, the transforms); kept there so that results stay bit-identical.
inline constexpr double kPiRounded14 = 3.14159265358979;
inline constexpr double kTwoPiRounded14 = 2.0 * kPiRounded14; // 6.28318530717958

} // namespace lumi
