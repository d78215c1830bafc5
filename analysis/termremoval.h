#pragma once

#include "analysis/analysissettings.h"

namespace lumi {

// The "REMOVE" group that Zernike term t (0..36) belongs to; false for piston
// (term 0), which belongs to no group, and for indices outside 1..36.
bool removalGroupOf(int term, RemovalGroup& group);

// True when term t belongs to a group whose "REMOVE" box is ticked. Piston is
// never in a group (the sampler leaves it out on its own).
bool termIsRemoved(const AnalysisSettings& settings, int term);

} // namespace lumi
