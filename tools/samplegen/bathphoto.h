#pragma once
// Generated photographs like those of a Bath interferometer: many straight tilt
// fringes over a mirror's wavefront, red laser light on black, speckle, uneven
// light, a halo round the pupil, dust, bright specks and a dark centre mark or a
// secondary's shadow. Tests and benchmarks measure whole-field analyses on them.

#include "imaging/pixelgrid.h"
#include "tools/samplegen/rgbimage.h"
#include "tools/samplegen/samplerecipe.h"

#include <cstdint>

namespace lumi {

struct BathPhotoSetup {
    int widthPx = 800;
    int heightPx = 600;
    double tiltFringes = 40.0;  // tilt fringes across the pupil diameter
    double tiltAngleDeg = 20.0; // direction in which the wavefront rises, from +x towards +y
    bool obstructed = false;    // a secondary's shadow of 0.25 radius instead of a centre mark
    double wavesPerFringe = 0.5;
    // Terms 3..36 of the mirror's wavefront in waves; the tilt comes from the fields above.
    ZernikeCoefficients aberrationWaves{};
    std::uint64_t seed = 7;
};

// A mirror's wavefront for the generated photos (waves): power 0.35, astigmatism
// 0.12 / -0.08, coma 0.06 / -0.05, spherical -0.15 and a little secondary spherical.
ZernikeCoefficients typicalMirrorWaves();

// The recipe: the pupil a little off the picture's centre with a radius of 0.44 of
// the shorter side, the tilt terms 1 and 2 set for the asked fringes.
SampleRecipe bathPhotoRecipe(const BathPhotoSetup& setup);

// The rendered photograph with a few saturated specks of dust light added.
RgbImage renderBathPhoto(const SampleRecipe& recipe);

// A rendered picture as the pixel grid the analysis and the tracer read.
PixelGrid pixelGridOf(const RgbImage& image);

} // namespace lumi
