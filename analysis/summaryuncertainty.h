#pragma once

#include "analysis/analysissettings.h"
#include "analysis/fituncertainty.h"
#include "analysis/wavefrontgrid.h"

namespace lumi {

// 1 sigma of the summary's P-V, RMS and Strehl ratio propagated from the
// covariance of the fitted coefficients. P-V and RMS in waves at the output
// wavelength like the summary, the Strehl ratio as a fraction.
//
// - RMS: linear propagation through the RMS formula of the summary (nodes
//   0..N-1 in the pupil): sigma^2 = g^T C g with g_t = d RMS / d c_t over the
//   sampled terms (not removed, piston never). Not given when the RMS is 0
//   (there it has no derivative).
// - Strehl ratio: linear through exp(-(2 pi RMS)^2), from the RMS sigma.
// - P-V (peak minus valley over every pupil node, a maximum with no smooth
//   derivative): a Monte-Carlo of kPeakToValleyDraws coefficient sets drawn
//   from the covariance with a fixed seed, so equal inputs give equal bits;
//   sigma is the standard deviation of their P-V.
struct SummaryUncertainty {
    static constexpr int kPeakToValleyDraws = 256;

    bool available = false; // false: the fit has no covariance (see FitUncertainty)
    bool rmsAvailable = false;
    double peakToValley = 0.0;
    double rms = 0.0;
    double strehl = 0.0;
};

// `grid` is the wavefront the summary sampled (values and pupil mask),
// `settings` the removal groups, highestTerm and wavelengthRatio of that
// sampling. Terms of the fit beyond highestTerm, and removed ones, add nothing.
SummaryUncertainty summaryUncertainty(const FitUncertainty& fit, const WavefrontGrid& grid,
                                      const AnalysisSettings& settings);

} // namespace lumi
