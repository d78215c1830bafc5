#pragma once

#include "phase/phaseshiftanalysis.h"

#include <string>

namespace lumi {

// The lines a phase-shifting analysis adds under the "Aberration" page: the frame
// count and the steps in degrees (given or estimated, relative to the first frame),
// the aperture used (given or found, picture pixels), the modulation of the pupil
// and the threshold below which pixels were left out (grey levels of 255), the
// saturated share, the share unwrapped consistently and the RMS the fitted terms
// leave (waves). Each line ends in "\n".
std::string phaseShiftText(const phase::PhaseShiftAnalysis& a);

} // namespace lumi
