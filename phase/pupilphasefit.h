#pragma once

#include "analysis/zernikecoefficients.h"
#include "analysis/zernikesample.h"
#include "fringe/aperturecircle.h"
#include "phase/phasefield.h"

#include <vector>

namespace lumi::phase {

// Where a phase grid lies on the picture: grid pixel (i, j) sits at picture position
// (originXPx + scalePx * i, originYPx + scalePx * j), picture pixels, y downwards.
// A grid of the picture's own pixels has origin 0 and scale 1.
struct GridPlacement {
    double originXPx = 0.0;
    double originYPx = 0.0;
    double scalePx = 1.0;
};

struct PupilPhaseFitInput {
    ApertureCircle aperture;     // picture pixels; the unit circle of the Zernike terms
    ApertureCircle obstruction;  // picture pixels; radius 0 when there is none
    double wavesPerFringe = 0.5; // waves of wavefront per 2 pi of phase (magnitude used)
    int termCount = 25;          // terms 0..termCount-1 are fitted, 1..37
    bool invert = false;         // the sign a single frame cannot know
    bool removeTilt = false;     // terms 1 and 2 set to 0 and their part taken off the samples
    GridPlacement placement;
    int maxSamples = 50000;  // at most this many pupil pixels, spread on a regular sub-grid
    float minQuality = 0.0f; // pixels of lower quality are left out
};

struct PupilPhaseFit {
    ZernikeCoefficients coefficientsWaves{}; // terms 0..termCount-1, the rest 0
    // The fitted samples: normalised pupil coordinates (zernikesample.h) and the
    // wavefront in waves (tilt taken off when removeTilt).
    std::vector<ZernikeSample> samples;
    double residualRmsWaves = 0.0; // RMS of samples minus the fitted terms
    // With removeTilt: the fitted terms 1 and 2 taken off (waves), else 0.
    double removedTiltXWaves = 0.0;
    double removedTiltYWaves = 0.0;
};

// Least-squares Zernike fit of an unwrapped phase map (radians) through the normal
// equations. Wavefront W = +-phase x wavesPerFringe / (2 pi): the phase must grow
// where W grows (the phase of the cos(2 pi W / wavesPerFringe) part of the light),
// which is the traced fringes' convention of fringe order growing with height;
// invert gives the minus sign. Used pixels: inPupil, quality >= minQuality, within
// the aperture and outside the obstruction; with more than maxSamples of them every
// s-th column of every s-th row (s the smallest stride that fits). Throws PhaseError
// BadInput (sizes, term count, waves per fringe, aperture radius, placement),
// TooFewSamples (fewer than twice the term count), and AnalysisError SingularFit or
// NonFinite from the solve.
PupilPhaseFit fitPupilPhase(const PhaseField& unwrapped, const PupilPhaseFitInput& in);

} // namespace lumi::phase
