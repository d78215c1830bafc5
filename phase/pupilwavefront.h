#pragma once

#include "fringe/aperturecircle.h"
#include "phase/phasefield.h"
#include "phase/pupilphasefit.h"

#include <vector>

namespace lumi::phase {

// The wavefront of an unwrapped pupil phase map, for pictures of it (waves, on the
// map's pixels, row-major like the map):
//   W = s x |wavesPerFringe| x phase / 2 pi - tiltXWaves x px - tiltYWaves x py,
// s = -1 with invert, (px, py) the normalised pupil position (zernike.h) of the map
// pixel placed on the picture by `placement`, so the tilt terms 1 and 2 given are
// taken off. Pixels outside inPupil are 0. Throws PhaseError BadInput when the
// aperture radius is not positive or the map's vectors do not match its size.
std::vector<double> pupilWavefrontWaves(const PhaseField& unwrapped, const GridPlacement& placement,
                                        const ApertureCircle& aperture, double wavesPerFringe,
                                        bool invert, double tiltXWaves, double tiltYWaves);

} // namespace lumi::phase
