#pragma once

#include "fringe/aperturecircle.h"
#include "imaging/pixelgrid.h"
#include "phase/carrierdemodulation.h"
#include "phase/phasefield.h"
#include "phase/pupilphasefit.h"

#include <functional>
#include <optional>
#include <string_view>

namespace lumi::phase {

// What a whole-field Fourier-transform analysis of one picture is asked to do.
// Circles and frequencies are in picture pixels (x right, y down).
struct FourierOptions {
    std::optional<ApertureCircle> aperture;    // none: found in the picture
    std::optional<ApertureCircle> obstruction; // none: found with an automatic aperture
                                               // (radius 0 = none); radius 0 = none
    // Carrier side lobe in cycles per picture pixel; none: the strongest peak
    // away from zero frequency. Either of the pair +-f may be given; the strongest
    // peak within 0.3 of its frequency from it is taken (a lobe picked by eye).
    std::optional<CarrierFrequency> carrier;
    double wavesPerFringe = 0.5;  // waves of wavefront per fringe (magnitude used)
    bool invert = false;          // flips the sign of the wavefront
    int termCount = 25;           // Zernike terms 0..termCount-1 fitted, 1..37
    double maxFailedShare = 0.05; // refuse when more of the pupil cannot be unwrapped
    int gerchbergIterations = 2;
    // Called with the share done (0..1) and the step about to run. May be empty.
    std::function<void(double done, std::string_view step)> progress;
};

struct FourierResult {
    ApertureCircle aperture;    // as used, picture pixels
    ApertureCircle obstruction; // as used, radius 0 = none
    bool apertureFound = false; // found in the picture rather than given
    CarrierFrequency carrier;   // cycles per picture pixel, canonical half plane
    double carrierPeriodPx = 0.0;
    int fringesAcrossPupil = 0; // carrier fringes over the aperture's diameter
    // The phase maps on the analysis grid (a block-averaged copy of the picture):
    // wrapped (radians, quality = fringe modulation relative to the pupil's median,
    // capped at 1) and unwrapped (pixels that failed cleared from inPupil).
    GridPlacement placement;
    PhaseField wrapped;
    PhaseField unwrapped;
    double unwrappedShare = 0.0; // 0..1 of the pupil's pixels unwrapped consistently
    // The fit: coefficients in waves (tilt of the carrier removed: terms 1, 2 are 0),
    // its samples and the RMS they leave (waves).
    PupilPhaseFit fit;
};

// Whole-field analysis of a fringe photograph: grey level block-averaged to about
// 700 pixels across (finer when the carrier period would fall under 4 grid pixels); carrier
// side lobe; aperture and obstruction from the lobe's modulation (unless given);
// background taken off and fringe contrast evened inside the pupil; Gerchberg
// continuation beyond the edge; demodulation; quality-guided unwrapping; Zernike
// fit of phase x waves per fringe / 2 pi with the traced fringes' sign (fringe
// order growing with height in the carrier's canonical direction: left to right
// across upright fringes, downwards across level ones (carrierdemodulation.h);
// `invert` for the other). Throws PhaseError:
// NoPupil (given circles outside the picture, or too small), NoFringes, NoSideLobe,
// UnwrapFailed (naming the share), TooFewSamples, BadInput; AnalysisError from the fit.
FourierResult analyseWholeField(const PixelGrid& picture, const FourierOptions& options);

} // namespace lumi::phase
