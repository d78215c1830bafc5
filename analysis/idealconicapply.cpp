#include "analysis/idealconicapply.h"

#include <utility>

namespace lumi {

void applyIdealConic(Measurement& m, const ProgressCallback& progress) {
    const ZernikeCoefficients ideal = computeIdealConic(m.settings, progress);
    m.results.idealConicCoefficients = ideal;
}

IdealConicProvider idealConicProvider(ProgressCallback progress) {
    return [progress = std::move(progress)](Measurement& m) { applyIdealConic(m, progress); };
}

} // namespace lumi
