#pragma once

#include "fringe/aperturecircle.h"
#include "phase/phaseshiftmap.h"

namespace lumi::phase {

// The pupil circle (picture pixels) of a phase-shifted frame set, found in its
// modulation map: the pixels modulated above thresholdGrey give a first centre and
// radius (centroid and area); along 720 rays from the centre the edge is the
// steepest fall of the modulation within 4 pixels of where it first drops below half
// of its level just inside (0.75..0.9 of that radius), refined by a parabola
// between quarter-pixel samples; a circle fitted to the edge points
// (algebraic fit, points off by more than three robust deviations left out, twice)
// is the pupil. Throws PhaseShiftError LowModulation when too few pixels or edge
// points are found.
ApertureCircle detectModulationAperture(const PhaseShiftMap& map, double thresholdGrey);

} // namespace lumi::phase
