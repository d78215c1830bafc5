#include "analysis/idealconicapply.h"

namespace lumi {

IdealConic idealConicFor(const AnalysisSettings& settings, std::optional<int> highestTerm,
                         const ProgressCallback& progress) {
    if (settings.input.analysisType != AnalysisType::Aspheric)
        return {};
    AnalysisSettings derived = settings;
    try {
        deriveAnalysisSettings(derived);
    } catch (const AnalysisError&) {
        return {};
    }
    if (highestTerm)
        derived.highestTerm = *highestTerm;
    try {
        return {computeIdealConic(derived, progress), std::nullopt};
    } catch (const AnalysisError& e) {
        return {std::nullopt, e};
    }
}

} // namespace lumi
