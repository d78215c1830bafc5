#pragma once

#include "phase/phaseframes.h"
#include "phase/phaseshiftmap.h"

#include <array>
#include <span>
#include <vector>

namespace lumi::phase {

// The least-squares weights of N frames with the given steps (radians, one per
// frame): background A, B cos phi and B sin phi of a pixel are the sums over k of
// weights[0][k] I_k, weights[1][k] I_k and weights[2][k] I_k (see PhaseShiftMap for
// the sign). Throws PhaseShiftError BadSteps (fewer than 3 steps, a step not
// finite) or SingularSteps (the steps do not separate cosine and sine from the
// background, e.g. all equal, or 0, 180 and 360 degrees).
std::array<std::vector<double>, 3> phaseShiftWeights(std::span<const double> stepsRad);

// The wrapped phase and modulation of every pixel by least squares
// over the frames with known steps (radians, one per frame; only their
// differences matter for the phase up to a constant). With binFactor s > 1 each
// map pixel sums s x s picture pixels first (the same as averaging their B cos phi
// and B sin phi; the rightmost and lowest partial blocks are left out), for large
// photos whose fringes are many pixels apart; the modulation stays per
// picture pixel. Uses both cores. Throws what checkPhaseFrames and
// phaseShiftWeights throw, and BadSteps when the step count differs from the frame
// count or binFactor is below 1 or leaves no map pixel.
PhaseShiftMap solvePhaseShift(const PhaseFrames& frames, std::span<const double> stepsRad,
                              int binFactor = 1);

// The bin factor that keeps a map of a width x height picture at or below
// maxMapPixels (2 000 000 by default: a 6000 x 4000 photo is binned by 4).
int phaseShiftBinFactor(int width, int height, double maxMapPixels = 2.0e6);

} // namespace lumi::phase
