#pragma once

#include "analysis/zernikecoefficients.h"
#include "fringe/aperturecircle.h"
#include "fringe/fringestore.h"

namespace lumi {

// What generateContourPoints put into the store.
struct ContourGeneration {
    int fringeCount = 0;          // fringes 0..fringeCount-1 hold points
    int pointCount = 0;           // total points
    int lowestLevel = 0;          // kmin: fringe index f lies on level kmin + f
    double pistonOffsetWaves = 0; // kmin x wavesPerFringe, taken off the piston
    float wavesPerFringe = 0.5f;  // the value the levels were built with
    // The generating coefficients with the piston lowered by pistonOffsetWaves:
    // what a fit of the store (height = fringe index x wavesPerFringe) recovers.
    // Waves at the input wavelength, term 0..36.
    ZernikeCoefficients expectedCoefficients{};
};

// Known-answer fringe data. Fills `store` (fringes 0..100 emptied first, both
// circles set) with points lying exactly on the contours W = k x wavesPerFringe
// of the wavefront W(x, y) = sum over t = 0..36 of coefficients[t] x Z_t(x, y).
//
// - coefficientsWaves: waves at the input wavelength, term t at index t (0 is
//   piston); entries 37..50 are ignored.
// - wavesPerFringe: > 0; used at single precision, as the fit and the fringe
//   data file hold it, so that fringe index x wavesPerFringe is exactly a level.
// - aperture, obstruction: image pixels (x right, y down); obstruction radius 0
//   means none. x = (px - cx) / r, y = (py - cy) / r as the fit normalises.
//
// Crossings are found along horizontal and vertical scan lines and refined in
// pixel space to the nearest representable position (|W - level| far below
// 1e-12 waves); coordinates are rounded to 15 significant digits so that a
// fringe data file stores them unchanged. Points lie strictly inside the unit
// circle and strictly outside the obstruction. The lowest level met becomes
// fringe 0; indices rise with W and are contiguous. Each fringe keeps at most
// 200 points, evenly thinned and ordered along its contour.
//
// Throws AnalysisError (InvalidGeometry) for a non-positive or non-finite
// aperture radius or waves per fringe, an obstruction that does not fit, a
// non-finite coefficient, no contour crossing the pupil, more than 101 levels,
// or a level in the middle that the scan missed.
ContourGeneration generateContourPoints(const ZernikeCoefficients& coefficientsWaves,
                                        double wavesPerFringe, const ApertureCircle& aperture,
                                        const ApertureCircle& obstruction, FringeStore& store);

} // namespace lumi
