#pragma once

#include "fringe/imagepoint.h"

namespace lumi {

// Where and why following a fringe ended before the aperture's edge (or before
// the fringe closed on itself or filled its 200 points).
struct TraceStop {
    enum class Reason {
        NoFringeAtSeed,  // no periodic fringes around the seed: only the seed is kept
        ShallowMinimum,  // the dark line faded (a bright speck, no contrast)
        WideDarkPatch,   // the dark line widened into a dark patch (a mark on the mirror)
        LostDarkLine,    // no dark line within half a period of where it should go on
        NearOtherFringe, // within half a period of another fringe's points
    };
    int fringe = 0;   // fringe index (the user sees fringe + 1)
    ImagePoint where; // image pixels: the first position not taken
    Reason reason = Reason::ShallowMinimum;
    int otherFringe = -1; // NearOtherFringe: the fringe it came close to
    bool operator==(const TraceStop&) const = default;
};

} // namespace lumi
