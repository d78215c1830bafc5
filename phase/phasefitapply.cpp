#include "phase/phasefitapply.h"

#include "analysis/usedcoefficients.h"
#include "analysis/zernikeaverage.h"

#include <algorithm>

namespace lumi::phase {

void applyPhaseFit(Measurement& m, const ZernikeCoefficients& fittedWaves, double residualRmsWaves,
                   int sampleCount, const IdealConicProvider& idealConic) {
    AnalysisSettings derived = m.settings;
    deriveAnalysisSettings(derived);
    // The fit stands in for one "file" of coefficients in fringes: the used
    // coefficients, the reference and the aspheric analysis then follow the one path.
    ZernikeAverage one;
    one.termCount = derived.highestTerm;
    one.fileCount = 1;
    const auto wpf = static_cast<double>(derived.wavesPerFringe);
    for (int t = 0; t <= derived.highestTerm; ++t)
        one.meanFringes[static_cast<std::size_t>(t)] =
            fittedWaves[static_cast<std::size_t>(t)] / wpf;
    applyZernikeAverage(m, one, idealConic);
    m.results.fittedCoefficients.fill(0.0);
    std::copy_n(fittedWaves.begin(), derived.highestTerm + 1, m.results.fittedCoefficients.begin());
    m.results.fitRmsError = residualRmsWaves;
    m.results.pointCount = sampleCount;
    m.results.fringeCount = 0;
    m.results.analysisDone = true;
}

} // namespace lumi::phase
