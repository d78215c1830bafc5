#pragma once
// Photographs like those of a Bath interferometer testing a telescope mirror:
// many tilt fringes of a red laser on black, bent by spherical aberration,
// astigmatism and coma, with uneven light, speckle, a dark ink mark at the
// mirror's centre, two over-exposed specks, dust shadows and a halo around the
// pupil.

#include "tools/samplegen/samplerecipe.h"

#include <cstdint>

namespace lumi {

struct BathPhotoSpec {
    int widthPx = 800;
    int heightPx = 600;
    double tiltFringes = 60.0;  // fringes across the pupil's diameter from the tilt alone
    double tiltAngleDeg = 15.0; // direction across the fringes, clockwise from +x
    // Fringe-ordered Zernike terms 3..8, waves of wavefront.
    double defocusWaves = 0.0;
    double astigmatismWaves[2] = {0.0, 0.0}; // terms 4, 5
    double comaWaves[2] = {0.0, 0.0};        // terms 6, 7
    double sphericalWaves = 0.0;             // term 8
    std::uint64_t seed = 1;
};

// The recipe of such a photograph (0.5 wave per fringe, dark fringes half-way
// between whole orders). The aperture sits in the middle, 0.46 of the height in
// radius; the centre mark is an opaque disc 25 px across on an 800 x 600 photo,
// scaled with the picture. The mark is drawn from the recipe's obstruction
// fields; a user who did not mark it would trace without an obstruction.
SampleRecipe bathPhotoRecipe(const BathPhotoSpec& spec);

} // namespace lumi
