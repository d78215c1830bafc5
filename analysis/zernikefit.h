#pragma once

#include "analysis/applyoutcome.h"
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

// Continues `from` (no error; its settings as the fit uses them) with the
// least-squares fit of terms 0..settings.highestTerm to `samples`: every used
// coefficient (0..50) is zeroed first; on success fittedCoefficients (entries
// above highestTerm 0), coefficients = fitted - wavesPerFringe x referenceFringes
// (above highestTerm 0) and fitRmsError (against the reference-corrected
// coefficients, waves), progress Fitted; then the summary (calcAberrations in the
// circles of `pupil`), progress Summarised. A singular or non-finite solve
// (the outcome's error) changes nothing else.
ApplyOutcome withZernikeFit(ApplyOutcome from, const FringeStore& pupil,
                            const ZernikeCoefficients& referenceFringes,
                            std::span<const ZernikeSample> samples);

// withZernikeFit of m's settings and results on the store's points.
ApplyOutcome fitZernike(const Measurement& m);

// withZernikeFit of m's settings and results on the given samples instead of the
// store's points (a whole-field phase map).
ApplyOutcome fitZernikeSamples(const Measurement& m, std::span<const ZernikeSample> samples);

} // namespace lumi
