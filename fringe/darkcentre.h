#pragma once

#include "fringe/brightnesssampler.h"

#include <optional>

namespace lumi {

// The dark line of a fringe found across it, near a predicted position.
struct DarkCentre {
    // On the dark line, image pixels (between whole pixels).
    ImagePoint point;
    // The darker of the two bright crests beside the line minus the line,
    // brightness units (0..765).
    double depthBrightness = 0.0;
    // The smaller rise of the brightness a quarter period either side: about
    // half the depth on a fringe, near 0 in a dark patch wider than a fringe.
    double quarterRiseBrightness = 0.0;
};

// Looks along `normal` (a unit vector) within -searchPx..searchPx of `point`
// for the darkest place of a brightness profile sampled every sixteenth of
// `periodPx`, each sample a mean over half a period (at least 6 px) along the
// fringe. The centre is the vertex of a parabola fitted to the darkest samples.
// nullopt when the darkest sample lies at the end of the search: there is no
// dark line within reach.
std::optional<DarkCentre> findDarkCentre(const BrightnessSampler& sampler, ImagePoint point,
                                         ImagePoint normal, double periodPx, double searchPx);

} // namespace lumi
