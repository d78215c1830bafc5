#include "phase/pupilwavefront.h"

#include "phase/phaseerror.h"

#include <cmath>
#include <numbers>

namespace lumi::phase {

std::vector<double> pupilWavefrontWaves(const PhaseField& f, const GridPlacement& pl,
                                        const ApertureCircle& aperture, double wavesPerFringe,
                                        bool invert, double tiltXWaves, double tiltYWaves) {
    const auto n = static_cast<std::size_t>(f.width) * static_cast<std::size_t>(f.height);
    if (f.width < 0 || f.height < 0 || f.phaseRad.size() != n || f.inPupil.size() != n)
        throw PhaseError(PhaseError::Kind::BadInput, "The phase map's size does not match it");
    if (!(aperture.radiusPx > 0.0))
        throw PhaseError(PhaseError::Kind::BadInput, "The aperture radius must be positive");
    const double scale =
        (invert ? -1.0 : 1.0) * std::fabs(wavesPerFringe) / (2.0 * std::numbers::pi);
    std::vector<double> w(n, 0.0);
    for (int y = 0; y < f.height; ++y)
        for (int x = 0; x < f.width; ++x) {
            const std::size_t i = static_cast<std::size_t>(y) * static_cast<std::size_t>(f.width) +
                                  static_cast<std::size_t>(x);
            if (!f.inPupil[i])
                continue;
            const double px =
                (pl.originXPx + pl.scalePx * x - aperture.centerXPx) / aperture.radiusPx;
            const double py =
                (pl.originYPx + pl.scalePx * y - aperture.centerYPx) / aperture.radiusPx;
            w[i] = scale * f.phaseRad[i] - tiltXWaves * px - tiltYWaves * py;
        }
    return w;
}

} // namespace lumi::phase
