#include "analysis/inputcheck.h"

#include "common/valuelimits.h"

namespace lumi {

std::optional<std::string> analysisInputProblem(const AnalysisInput& input) {
    return settingsProblem(input.inputWavelengthNm, input.outputWavelengthNm, input.wavesPerFringe);
}

} // namespace lumi
