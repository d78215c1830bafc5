#pragma once

#include "fringe/aperturecircle.h"
#include "phase/phasefield.h"
#include "phase/phaseframes.h"
#include "phase/phasestepestimator.h"
#include "phase/pupilphasefit.h"

#include <optional>
#include <vector>

namespace lumi::phase {

// What a phase-shifting analysis is asked to do.
struct PhaseShiftRequest {
    // Step of each frame in radians (see PhaseShiftMap for the sign); empty: estimate
    // them from the frames.
    std::vector<double> stepsRad;
    std::optional<ApertureCircle> aperture; // picture pixels; none: found in the modulation
    ApertureCircle obstruction;             // picture pixels; radius 0: none
    double wavesPerFringe = 0.5;            // waves of wavefront per 2 pi of phase
    int termCount = 25;                     // Zernike terms 0..termCount-1 are fitted
    double maxMapPixels = 2.0e6;            // larger photos are binned (phaseShiftBinFactor)
};

// Share of the pupil that may stay unwrapped inconsistently before the analysis
// refuses: more means the steps or the frames are wrong (or the fringes too dense).
inline constexpr double kMaxUnwrapFailedShare = 0.05;

struct PhaseShiftAnalysis {
    std::vector<double> stepsRad; // the steps used (given or estimated)
    std::optional<StepEstimate> estimate;
    ApertureCircle aperture; // the one used, picture pixels
    bool apertureDetected = false;
    double modulationGrey = 0.0;    // modulation of the well-lit pupil (grey levels of 255)
    double thresholdGrey = 0.0;     // pixels modulated less are left out
    double clippedShare = 0.0;      // share of the pupil saturated in some frame
    double unwrapFailedShare = 0.0; // share of the pupil unwrapped inconsistently
    int binFactor = 1;              // picture pixels per map pixel, each way
    PhaseField unwrapped;           // map pixels, radians; inPupil: the fitted region
    GridPlacement placement;        // where the map lies on the picture
    PupilPhaseFit fit;              // Zernike coefficients in waves, residual RMS
};

// The phase-shifting analysis of a frame set: the steps (given, or estimated),
// the least-squares phase and modulation (binned when the frames exceed
// maxMapPixels), the aperture (given, or found in the modulation map), the
// modulation mask, quality-guided unwrapping and the Zernike fit of the pupil.
// Throws PhaseShiftError (frames, steps, modulation), PhaseError NoPupil (a given
// aperture whose centre lies off the frames), UnwrapFailed (more than
// kMaxUnwrapFailedShare of the pupil unwrapped inconsistently) or TooFewSamples,
// and AnalysisError SingularFit / NonFinite from the fit.
PhaseShiftAnalysis analysePhaseShift(const PhaseFrames& frames, const PhaseShiftRequest& request);

} // namespace lumi::phase
