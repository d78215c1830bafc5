#pragma once

#include "fringe/aperturecircle.h"

#include <vector>

namespace lumi::phase {

struct FoundPupil {
    ApertureCircle aperture;    // grid pixels (x right, y down)
    ApertureCircle obstruction; // radius 0: none found
};

// Finds the pupil in a fringe-modulation map (width x height, row-major, e.g. the
// side lobe's magnitude): the largest region above the Otsu level gives a first
// circle; along 360 rays from its centre the outermost crossing of the level
// half-way between the pupil's median and the surround's median marks the edge,
// and a circle fitted to those points (outliers beyond 3 robust deviations left
// out, three rounds) is the aperture. An obstruction is a dark centre whose edge
// (the first crossing outwards on each ray) lies at 8 % of the radius or more on
// most rays; smaller dark marks are left to the quality map. smoothingPx: half-
// length of the radial smoothing (about a carrier period). Throws PhaseError
// NoFringes when no region of fringe contrast stands out.
FoundPupil findPupil(const std::vector<float>& modulation, int width, int height,
                     double smoothingPx);

} // namespace lumi::phase
