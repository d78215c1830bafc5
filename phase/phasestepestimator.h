#pragma once

#include "phase/phaseframes.h"

#include <vector>

namespace lumi::phase {

// Phase steps found in the frames themselves.
struct StepEstimate {
    // Step of each frame in radians relative to the first (element 0 is 0),
    // accumulated frame to frame (each increment in (-pi, pi]), signed so that
    // the increments sum to a positive number: the frames are taken to step
    // the same way, the fringes moving towards higher order (see PhaseShiftMap).
    std::vector<double> stepsRad;
    std::vector<double> principalComponentStepsRad; // the first guess, same conventions
    int iterations = 0;                             // refinement rounds run
    double lastChangeRad = 0.0;                     // largest step change of the last round
    int sampleCount = 0;                            // pixels the estimate rests on
};

// Estimates the steps of a frame set: principal component analysis of the
// frames (the two strongest components are B cos phi and B sin phi) gives the
// first guess, then the advanced iterative algorithm alternates the per-pixel
// least squares (background, B cos phi, B sin phi for the current steps) with
// the per-frame least squares (cos and sin of its step for the current pixels)
// until no step moves by more than 1e-7 rad. Uses at most about 60 000
// evenly spread pixels with fringe modulation. Needs more than about one
// fringe across the pupil (the phase spread evenly); the sign follows the
// convention above. Throws PhaseShiftError as checkPhaseFrames does,
// TooFewFrames (fewer than 4: three frames fit any steps exactly),
// LowModulation (the frames do not change), NoConvergence (the steps keep
// moving after 500 rounds by more than 0.001 rad) or SingularSteps.
StepEstimate estimatePhaseSteps(const PhaseFrames& frames);

} // namespace lumi::phase
