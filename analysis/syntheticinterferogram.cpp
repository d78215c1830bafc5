#include "analysis/syntheticinterferogram.h"

#include "analysis/analysiserror.h"
#include "analysis/syntheticpupil.h"
#include "analysis/syntheticshading.h"

#include <algorithm>
#include <string>

namespace lumi {

SyntheticHeightMap
SyntheticInterferogram::computeHeights(const Measurement& m, const SyntheticOptions& options,
                                       const std::function<void(int)>& progress) {
    const int highest = std::min(m.settings.highestTerm, kZernikeTermCount - 1);
    SyntheticPupil::Coefficients used{};
    for (int t = 1; t <= highest; ++t) {
        if (!options.termIsRemoved(t)) {
            used[static_cast<std::size_t>(t)] = m.results.coefficients[static_cast<std::size_t>(t)];
        }
    }
    if (!options.termIsRemoved(8) && highest >= 8 &&
        options.display == SyntheticDisplay::NullTest &&
        m.settings.input.analysisType == AnalysisType::Aspheric) {
        used[8] = m.results.coefficients[8] - m.results.idealConicCoefficients[8];
    }
    return SyntheticPupil(m.store, options.gridSize).heights(used, progress);
}

PixelGrid SyntheticInterferogram::draw(const Measurement& m, const SyntheticOptions& options,
                                       PixelTriple background,
                                       const std::function<void(int)>& progress) {
    const SyntheticHeightMap heights = computeHeights(m, options, progress);
    const SyntheticShading shading(heights, options.wavesPerFringe);
    return shading.shade(heights, options.color, background);
}

} // namespace lumi
