#pragma once

#include "analysis/fitfinding.h"
#include "analysis/measurement.h"
#include "analysis/zernikecoefficients.h"
#include "fringe/fringestore.h"

#include <vector>

namespace lumi {

// What makes a determined fit poorly supported by its points:
// - coverage (fits of more than 3 terms): EmptyRim when no point lies beyond 0.7
//   of the pupil radius, otherwise one EmptySector per run of at least two empty
//   octants (a quarter of the pupil) among the points in the outer half of the
//   clear annulus;
// - outliers: points whose distance from the fitted contour (residual against
//   `fittedCoefficients`, waves at the input wavelength, terms 0..highestTerm,
//   over the local slope: pixels) exceeds 6 robust standard deviations of all
//   such distances (1.4826 x median) and whose residual exceeds 0.4 x
//   `wavesPerFringe`; the 5 largest residuals, largest first.
// - determination: IllDetermined when a term's noise amplification exceeds
//   kNoiseAmplificationLimit (fitdetermination.h), first of all findings.
// Samples are built as the fit builds them. Returns nothing for an empty store,
// a non-positive aperture radius or non-finite residuals; never NaN.
std::vector<FitFinding> assessFitQuality(const FringeStore& store, float wavesPerFringe,
                                         const ZernikeCoefficients& fittedCoefficients,
                                         int highestTerm);

// Every point the outlier rule above flags (not only 5), largest residual first.
std::vector<FitFinding> flaggedOutliers(const FringeStore& store, float wavesPerFringe,
                                        const ZernikeCoefficients& fittedCoefficients,
                                        int highestTerm);

// The findings of the last fit of `m`: its store, settings and fittedCoefficients.
std::vector<FitFinding> assessFitQuality(const Measurement& m);

} // namespace lumi
