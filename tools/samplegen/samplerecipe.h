#pragma once
// Everything needed to render one sample interferogram photograph, and the known
// answers a measurement of that photograph should find.

#include "analysis/zernikecoefficients.h"

#include <cstdint>
#include <string>

namespace lumi {

enum class PictureFormat {
    Jpeg,       // 24-bit colour, quality 85
    IndexedBmp, // 8 bits per pixel with a 256-entry grey palette
    Png,        // 24-bit colour, lossless
};

// Camera and light-path traits of the photograph. Lengths in pixels unless the name says
// otherwise; "Pupil" lengths are in normalised pupil units (aperture radius = 1).
struct PhotoTraits {
    double visibility = 0.9;       // fringe contrast, 0..1
    double speckleStrength = 0.3;  // share of the light that carries laser speckle, 0..1
    double speckleGrainPx = 1.4;   // correlation length of the speckle
    double blurSigmaPx = 1.0;      // camera blur after the speckle
    double beamOffsetXPupil = 0.0; // centre of the Gaussian illumination
    double beamOffsetYPupil = 0.0; // (y downwards like the image rows)
    double beamWidthPupil = 0.9;   // 1/e^0.5 half-width of the illumination
    double gradient = 0.0;         // linear illumination change across the radius
    double gradientAngleDeg = 0.0; // direction of increasing light, clockwise from +x
    double exposure = 1.0;         // scale of the light before the tone curve
    double surroundLevel = 0.012;  // dark surround, share of full scale
    double glow = 0.035;           // scattered light around the aperture
    double sensorNoise = 0.008;    // Gaussian read noise, share of full scale
    int dustCount = 0;             // faint diffraction donuts from dust in the beam
    double redGain = 1.0;          // laser tint: channel gains of the tone curve
    double greenGain = 1.0;
    double blueGain = 1.0;
    // Dark fringe centres lie where W = (k + darkFringeOrder) x wavesPerFringe; 0 puts them on
    // whole multiples (the stored samples), 0.5 half-way between.
    double darkFringeOrder = 0.0;
};

struct SampleRecipe {
    std::string name;        // "sample1"
    std::string fileName;    // "sample1.jpg"
    std::string description; // what the wavefront shows, for the answer file
    PictureFormat format = PictureFormat::Jpeg;
    int widthPx = 0;
    int heightPx = 0;

    // Circles in image pixels, origin at the top-left pixel, y downwards; pixel column i,
    // row j is rendered at position (i, j), which is where a click on it lands.
    double apertureXPx = 0.0;
    double apertureYPx = 0.0;
    double apertureRadiusPx = 0.0;
    double obstructionXPx = 0.0;
    double obstructionYPx = 0.0;
    double obstructionRadiusPx = 0.0; // 0: no obstruction
    std::string obstructionKind;      // "none", "secondary shadow", "centre mark"

    // Fringe-ordered Zernike coefficients in waves of wavefront at the input wavelength.
    ZernikeCoefficients coefficientsWaves{};
    // Wavefront height between neighbouring dark fringes (0.5 for a double-pass test).
    double wavesPerFringe = 0.5;

    // For a conic mirror at its centre of curvature (0: not such a test): the aspheric
    // analysis inputs and the conic constant the surface was made with.
    double mirrorDiameterMm = 0.0;
    double curvatureRadiusMm = 0.0;
    double conic = 0.0;

    PhotoTraits traits;
    std::uint64_t seed = 1;
    // Seed of the sensor noise alone (0: derived from `seed`): frames of one
    // phase-shifting set share speckle and dust but not their noise.
    std::uint64_t noiseSeed = 0;

    // Wavefront height in waves at image position (xPx, yPx), any position.
    double heightWaves(double xPx, double yPx) const;
    // Peak-to-valley of the wavefront over the clear pupil divided by wavesPerFringe:
    // about how many fringes a user counts across the picture.
    double fringeCount() const;
};

} // namespace lumi
