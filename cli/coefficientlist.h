#pragma once

#include "analysis/zernikecoefficients.h"

#include <string_view>

namespace lumi::cli {

// "3:1.5,8:-0.25" -> coefficients (term:value pairs, waves; unnamed terms 0).
// Terms 0..36, each at most once; values finite, "." decimal point.
// Throws UsageError naming the faulty pair.
ZernikeCoefficients parseCoefficientList(std::string_view list);

} // namespace lumi::cli
