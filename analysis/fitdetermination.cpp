#include "analysis/fitdetermination.h"

#include "analysis/fituncertainty.h"
#include "analysis/normalequations.h"
#include "analysis/zernikecoefficients.h"

#include <algorithm>
#include <array>
#include <vector>

namespace lumi {

FitDetermination assessFitDetermination(std::span<const ZernikeSample> samples,
                                        double apertureRadiusPx, int termCount) {
    FitDetermination d;
    d.termCount = std::clamp(termCount, 1, kZernikeTermCount);
    const double step = kPlacementUncertaintyPx / apertureRadiusPx;
    // The amplification is scaled to the point count, so an even thinning of a
    // dense layout leaves it as it is: every k-th point is enough, which keeps
    // the check fast on a full store (20 200 points).
    const std::size_t stride = (samples.size() + kMostJudgedPoints - 1) / kMostJudgedPoints;
    std::vector<ZernikeSample> spread;
    spread.reserve(4 * (samples.size() / std::max<std::size_t>(stride, 1) + 1));
    for (std::size_t i = 0; i < samples.size(); i += std::max<std::size_t>(stride, 1)) {
        const ZernikeSample& s = samples[i];
        spread.push_back({s.x - step, s.y, 0.0});
        spread.push_back({s.x + step, s.y, 0.0});
        spread.push_back({s.x, s.y - step, 0.0});
        spread.push_back({s.x, s.y + step, 0.0});
    }
    // Four samples per point: the scaling by their count is the one by the
    // points' count of the averaged matrix.
    const NormalEquations eq = buildNormalEquations(spread, d.termCount);
    d.largestAmplification = largestNoiseAmplification(eq, d.termCount);
    for (const int offered : std::array{37, 25, 16, 9}) {
        if (offered > d.termCount)
            continue;
        const double a = offered == d.termCount ? d.largestAmplification
                                                : largestNoiseAmplification(eq, offered);
        if (a <= kNoiseAmplificationLimit) {
            d.supportedTermCount = offered;
            break;
        }
    }
    return d;
}

} // namespace lumi
