#pragma once
// The note beside an aspheric result whose waves per fringe does not suit a
// mirror tested at its centre of curvature.

#include "analysis/analysissettings.h"

#include <string>

namespace lumi {

// In aspheric analysis with a derived waves per fringe other than 1: one
// sentence saying that a mirror at its centre of curvature gives 1 wave of
// wavefront per fringe, and that the best-fit conic scales with the value.
// "" otherwise (standard analysis, or 1 wave per fringe).
std::string asphericConventionNote(const AnalysisSettings& settings);

} // namespace lumi
