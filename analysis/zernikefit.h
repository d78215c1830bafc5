#pragma once

#include "analysis/measurement.h"
#include "analysis/zernikesample.h"

#include <span>
#include <vector>

namespace lumi {

// The fit samples of the store: fringes 0..100 ascending, points 1..n in order;
// (x, y) normalised by the aperture circle (no point excluded), height =
// fringe order (FringeStore::fringeOrder) x wavesPerFringe computed in single
// precision (waves).
// A zero aperture radius with points present gives AnalysisError InvalidGeometry.
std::vector<ZernikeSample> fringeSamples(const FringeStore& store, float wavesPerFringe);

// Least-squares fit of terms 0..settings.highestTerm to the fringe points.
// Zeroes every coefficient (0..50) first; on success writes fittedCoefficients
// (entries above highestTerm set to 0, like the emptied grid rows), coefficients =
// fitted - wavesPerFringe x referenceFringes (above highestTerm 0), fitRmsError
// (against the reference-corrected coefficients, waves), then runs
// calcAberrations (applyProgress Fitted, then Summarised).
// On a singular or non-finite solve (AnalysisError) nothing else is changed.
void fitZernike(Measurement& m);

// fitZernike on the given samples instead of the store's points (a whole-field
// phase map): the same coefficients, fit error and summary.
void fitZernikeSamples(Measurement& m, std::span<const ZernikeSample> samples);

} // namespace lumi
