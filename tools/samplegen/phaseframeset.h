#pragma once
// Generated phase-shifting measurements: one set-up photographed several times with
// the reference phase moved between the shots, with known wavefront and steps.

#include "tools/samplegen/rgbimage.h"
#include "tools/samplegen/samplerecipe.h"

#include <cstdint>
#include <vector>

namespace lumi {

struct PhaseFrameSet {
    SampleRecipe recipe;          // wavefront, light and camera shared by every frame
    std::vector<double> stepsDeg; // true step of each frame (frame 0 at 0)
};

// Frame k of the set is the recipe's photo with the fringes moved by stepsDeg[k] / 360
// of a fringe towards higher order (the dark fringes where W = (n + step / 360) x
// wavesPerFringe), with the same speckle and dust in every frame but its own sensor
// noise. Byte for byte reproducible.
std::vector<RgbImage> renderPhaseFrames(const PhaseFrameSet& set);

// A test set like a real one: widthPx x heightPx, the pupil (radius 0.42 of the
// height) a little off centre under an uneven Gaussian beam with a gradient,
// speckle, a bright halo of scattered light around the pupil, camera blur and
// sensor noise; the wavefront is `coefficientsWaves` (waves, 0.5 waves per fringe);
// frameCount steps of 360 / frameCount degrees, each moved by an error drawn
// evenly from +-maxStepErrorDeg (frame 0 stays at 0).
PhaseFrameSet makePhaseFrameSet(int frameCount, double maxStepErrorDeg, std::uint64_t seed,
                                const ZernikeCoefficients& coefficientsWaves, int widthPx = 800,
                                int heightPx = 600);

// The wavefront the test sets use unless told otherwise (waves): about ten fringes of
// tilt and defocus with astigmatism, coma and spherical.
ZernikeCoefficients phaseFrameSetWavefront();

} // namespace lumi
