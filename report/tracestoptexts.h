#pragma once
// The sentences that say where a followed fringe stopped before the aperture's
// edge, for the autotracing status and message and the command line. "." is the
// decimal point whatever the locale; fringes are numbered from 1 as the user sees them.

#include "fringe/tracestop.h"

#include <string>
#include <string_view>
#include <vector>

namespace lumi {

// The JSON name of a stop's reason: "noFringeAtSeed", "shallowMinimum",
// "wideDarkPatch", "lostDarkLine", "nearOtherFringe".
std::string_view traceStopReasonName(TraceStop::Reason reason);

// One sentence, e.g. "Fringe 12 stopped at (412.3, 233.5): it came within half a
// fringe period of fringe 13."
std::string traceStopText(const TraceStop& stop);

// The sentences of all stops, in order.
std::vector<std::string> traceStopTexts(const std::vector<TraceStop>& stops);

} // namespace lumi
