#pragma once

#include "fringe/brightnesssampler.h"

#include <optional>

namespace lumi {

// Where to look for the fringe period across the fringes at a point. Lengths
// in pixels.
struct PeriodSearch {
    double minLagPx = 3.0;  // shortest period accepted
    double maxLagPx = 16.0; // longest period accepted
    double rangePx = 24.0;  // the profile covers -range..range along the normal
    double spacingPx = 0.5; // between profile samples
    double alongPx = 3.0;   // each sample is a mean over -along..along along the fringe
};

// The fringe period across `normal` (a unit vector) at `point`: the lag of the
// highest autocorrelation peak of the brightness profile (a straight trend
// removed, so uneven light does not count) between the search's lags. nullopt
// when no peak rises above 0.2 of the profile's variance.
std::optional<double> fringePeriodAt(const BrightnessSampler& sampler, ImagePoint point,
                                     ImagePoint normal, const PeriodSearch& search);

// The period without a guess: profiles of 24, 48, 96, ... px each side, until
// one shows an autocorrelation peak within two thirds of its half-length, up to
// periods of maxPeriodPx. The first peak after the first dip below zero wins, so
// a pattern of period P is not read as 2P.
std::optional<double> findFringePeriod(const BrightnessSampler& sampler, ImagePoint point,
                                       ImagePoint normal, double maxPeriodPx);

} // namespace lumi
