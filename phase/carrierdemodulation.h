#pragma once

#include <cstdint>
#include <vector>

namespace lumi::phase {

// A carrier fringe frequency in cycles per grid pixel, x right and y down. The
// canonical one of the pair +-f lies in the half plane fx + fy > 0 (or fx + fy = 0,
// fx > 0): its phase grows to the right for upright fringes and downwards for
// level ones; the choice flips only for fringes running from top left to bottom
// right at 45 degrees.
struct CarrierFrequency {
    double fx = 0.0;
    double fy = 0.0;
};

// The strongest peak of the spectrum of `signal` (width x height, row-major, its
// mean and slow background already taken off) at least minCycles / min(width,
// height) away from zero frequency, refined between bins, canonical half plane.
// Throws PhaseError NoSideLobe when no peak stands out of the spectrum's noise
// (its power below 500 times the median of the searched bins). With `near`, only
// the peak within 0.3 |near| of +-near counts (a lobe the user picked), the median
// still taken over the whole spectrum.
CarrierFrequency findCarrier(const std::vector<float>& signal, int width, int height,
                             double minCycles = 6.0, const CarrierFrequency* near = nullptr);

struct Demodulation {
    // Phase of the carrier side lobe shifted to zero (radians, (-pi, pi]) and its
    // magnitude, on the input grid. The shift is by whole bins of the padded
    // transform: a linear remainder of under a bin is left in the phase.
    std::vector<double> phaseRad;
    std::vector<float> modulation;
};

// Fourier-transform demodulation of a zero-mean fringe signal: the side lobe at
// `carrier` is cut out with a window flat to 0.3 |carrier| and falling to 0 at
// 0.5 |carrier|, moved to zero frequency and transformed back. Before that,
// `gerchbergIterations` rounds replace the signal outside `known` (1 = measured)
// by its band-limited continuation, so the pupil edge does not ripple. The
// transform is padded to a size of factors 2, 3, 5, 7. A non-canonical carrier
// is taken as its canonical twin.
Demodulation demodulate(const std::vector<float>& signal, const std::vector<std::uint8_t>& known,
                        int width, int height, CarrierFrequency carrier, int gerchbergIterations);

} // namespace lumi::phase
