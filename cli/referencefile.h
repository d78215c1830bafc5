#pragma once

#include "analysis/zernikecoefficients.h"

#include <filesystem>

namespace lumi::cli {

// Reference coefficients from a Zernike file (.zrk), in fringes, term i from
// the (i+1)-th number. Every number is taken: the averaging's term-count rule
// (stop at two zeros in a row) would drop a reference whose piston and tilt
// are 0. Up to 51 numbers; missing ones are 0. Throws FileError naming the
// line for a field that is not a number, a value beyond kMaxReferenceFringes
// or a 52nd number, and for an empty file.
inline constexpr double kMaxReferenceFringes = 1e6;

ZernikeCoefficients readReferenceFile(const std::filesystem::path& path);

} // namespace lumi::cli
