#include "phase/phasefitapply.h"

#include "analysis/usedcoefficients.h"
#include "analysis/zernikeaverage.h"

#include <algorithm>

namespace lumi::phase {

ApplyOutcome applyPhaseFit(const Measurement& m, const ZernikeCoefficients& fittedWaves,
                           double residualRmsWaves, int sampleCount, const IdealConic& idealConic) {
    AnalysisSettings derived = m.settings;
    try {
        deriveAnalysisSettings(derived);
    } catch (const AnalysisError& e) {
        return {m.settings, m.results, ApplyProgress::NotRun, e};
    }
    // The fit stands in for one "file" of coefficients in fringes: the used
    // coefficients, the reference and the aspheric analysis then follow the one path.
    ZernikeAverage one;
    one.termCount = derived.highestTerm;
    one.fileCount = 1;
    const auto wpf = static_cast<double>(derived.wavesPerFringe);
    for (int t = 0; t <= derived.highestTerm; ++t)
        one.meanFringes[static_cast<std::size_t>(t)] =
            fittedWaves[static_cast<std::size_t>(t)] / wpf;
    ApplyOutcome out = applyZernikeAverage(m, one, idealConic);
    if (!out.succeeded())
        return out;
    AnalysisResults& r = out.results;
    r.fittedCoefficients.fill(0.0);
    std::copy_n(fittedWaves.begin(), derived.highestTerm + 1, r.fittedCoefficients.begin());
    r.fitRmsError = residualRmsWaves;
    r.pointCount = sampleCount;
    r.fringeCount = 0;
    r.analysisDone = true;
    return out;
}

} // namespace lumi::phase
