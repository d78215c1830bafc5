#pragma once
// The sentences that warn about a poorly supported fit, for the "Aberration"
// page, the command line and its JSON. "." is the decimal point whatever the locale.

#include "analysis/fitfinding.h"

#include <string>
#include <string_view>
#include <vector>

namespace lumi {

// The JSON name of a finding's kind: "emptySector", "emptyRim", "outlier",
// "illDetermined".
std::string_view fitFindingKindName(FitFinding::Kind kind);

// One sentence, e.g. "No points in the upper left quarter of the pupil (37 terms):
// the fit there is extrapolated." or "Fringe 3, point 12 lies 0.41 waves from the
// fit, 9 times the RMS fit error."
std::string fitWarningText(const FitFinding& finding);

// The sentences of all findings, in order.
std::vector<std::string> fitWarningTexts(const std::vector<FitFinding>& findings);

// The command line page's block: "\nFit warnings:\n" and one indented line per
// finding; "" when there is none.
std::string fitWarningPageText(const std::vector<FitFinding>& findings);

} // namespace lumi
