#include "analysis/inputcheck.h"

#include "common/valuelimits.h"

namespace lumi {

std::optional<std::string> analysisInputProblem(const AnalysisInput& input) {
    if (auto problem = wavelengthProblem("the input wavelength", input.inputWavelengthNm))
        return problem;
    if (auto problem = wavelengthProblem("the output wavelength", input.outputWavelengthNm))
        return problem;
    return wavesPerFringeProblem(input.wavesPerFringe);
}

} // namespace lumi
