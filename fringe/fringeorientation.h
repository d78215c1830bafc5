#pragma once

#include "fringe/aperturecircle.h"
#include "fringe/brightnesssampler.h"

#include <optional>

namespace lumi {

// The local direction of the fringes at a point, from the structure tensor of
// the picture's brightness smoothed to the fringe period.
struct FringeOrientation {
    ImagePoint along;       // unit vector along the fringes (either sign)
    double coherence = 0.0; // 0 (no preferred direction) .. 1 (straight parallel fringes)
};

// Orientation at `point` for fringes about `periodPx` apart: gradients taken a
// quarter period apart on a 7 x 7 grid covering 3/4 period each side, Gaussian
// weighted. Samples outside the aperture circle or inside the obstruction are
// left out (radius 0: no limit), so the pupil's edge does not bend the result.
// nullopt when too few samples remain or the picture is flat there.
std::optional<FringeOrientation> fringeOrientationAt(const BrightnessSampler& sampler,
                                                     ImagePoint point, double periodPx,
                                                     const ApertureCircle& aperture,
                                                     const ApertureCircle& obstruction);

} // namespace lumi
