#pragma once

#include "analysis/zernikesample.h"

#include <cstddef>
#include <span>

namespace lumi {

// Whether the layout of the points can determine the terms of a fit, judged by
// the noise amplification of each term: the standard error a term gets from
// unit noise on every point, scaled to the point count, sqrt(M [(A^T A)^-1]_tt)
// (dimensionless; evenly spread points give about 3 to 6 for terms 0..36).
//
// Points placed by hand or by a tracer sit on their fringe within about half
// a pixel. Points that lie almost exactly on a few rings are determined only
// through that scatter: the fit then turns the scatter into the terms that
// the rings cannot tell apart. So the amplification is measured as if every
// point were spread over kPlacementUncertaintyPx in x and y (each point taken
// as four points that far to the left, right, top and bottom); the fit itself
// is not changed by this.
inline constexpr double kPlacementUncertaintyPx = 0.5;

// The largest noise amplification that well-posed fits reach and nonsense
// fits exceed. Measured (NoiseAmplificationLimit in the tests records both
// sides): every shipped example and stored sample, with every term count, stays
// at or below 31 (sample2 with 37 terms, then the obstructed example at 28);
// three nearly circular rings with 0.2 to 0.5 px of scatter reach 76 and more
// with 25 terms and 390 and more with 37. The limit sits near the geometric
// middle, 1.5 times from either side.
inline constexpr double kNoiseAmplificationLimit = 48.0;

// Points judged at most: beyond it every k-th point of the samples' order.
inline constexpr std::size_t kMostJudgedPoints = 4000;

struct FitDetermination {
    int termCount = 0;               // of the fit judged
    double largestAmplification = 0; // over its terms; infinite when not invertible
    // The largest of the offered term counts 37, 25, 16, 9 (not above
    // termCount) whose amplification stays within the limit; 0 when even 9
    // terms exceed it.
    int supportedTermCount = 0;
    bool illDetermined() const { return !(largestAmplification <= kNoiseAmplificationLimit); }
};

// Judges a fit of terms 0..termCount-1 (1..37) to `samples` (normalised pupil
// coordinates of an aperture of apertureRadiusPx pixels).
FitDetermination assessFitDetermination(std::span<const ZernikeSample> samples,
                                        double apertureRadiusPx, int termCount);

} // namespace lumi
