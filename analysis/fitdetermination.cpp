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
    std::vector<ZernikeSample> spread;
    spread.reserve(4 * samples.size());
    for (const ZernikeSample& s : samples) {
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
