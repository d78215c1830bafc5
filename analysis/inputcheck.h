#pragma once

#include "analysis/analysisinput.h"

#include <optional>
#include <string>

namespace lumi {

// The first value of `input` an analysis cannot use (a wavelength outside the
// physical range, waves per fringe 0 or beyond single precision), as the phrase
// the command line also gives ("the output wavelength 0 nm is outside 100 ..
// 100000 nm"); nothing when every value is usable.
std::optional<std::string> analysisInputProblem(const AnalysisInput& input);

} // namespace lumi
