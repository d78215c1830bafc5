#include "analysis/usedcoefficients.h"

#include "analysis/aberrationsummary.h"
#include "analysis/analysiserror.h"
#include "common/numbertext.h"

#include <algorithm>
#include <cmath>
#include <optional>

namespace lumi {

namespace {

// wavesPerFringe x (value - reference) for terms 0..lastTerm, in waves.
ZernikeCoefficients referenceCorrected(const ZernikeCoefficients& valuesFringes,
                                       const ZernikeCoefficients& referenceFringes,
                                       float wavesPerFringe, int lastTerm) {
    const auto wpf = static_cast<double>(wavesPerFringe);
    ZernikeCoefficients used{};
    for (std::size_t t = 0; t <= static_cast<std::size_t>(lastTerm); ++t) {
        used[t] = wpf * valuesFringes[t] - wpf * referenceFringes[t];
        if (!std::isfinite(used[t]))
            throw AnalysisError(AnalysisError::Kind::NonFinite,
                                "Coefficient " + std::to_string(t) +
                                    " minus its reference is not a finite number.");
    }
    return used;
}

} // namespace

void replaceUsedCoefficients(Measurement& m, const ZernikeCoefficients& usedWaves, int lastTerm) {
    const auto last = static_cast<std::size_t>(std::clamp(lastTerm, 0, kZernikeSlots - 1));
    // Nothing of an earlier analysis with more terms may stay above lastTerm.
    m.results.coefficients.fill(0.0);
    std::copy_n(usedWaves.begin(), last + 1, m.results.coefficients.begin());
    calcAberrations(m);
    m.results.applyProgress = ApplyProgress::Summarised;
}

void subtractReference(Measurement& m, const ZernikeCoefficients& shownFringes) {
    const float wpf = deriveWavesPerFringe(m.settings.input);
    const int last = m.settings.highestTerm;
    const ZernikeCoefficients used =
        referenceCorrected(shownFringes, m.referenceFringes, wpf, last);
    m.settings.wavesPerFringe = wpf;
    replaceUsedCoefficients(m, used, last);
}

void applyZernikeAverage(Measurement& m, const ZernikeAverage& average,
                         const IdealConicProvider& idealConic) {
    if (m.store.aperture.radiusPx == 0.0)
        throw AnalysisError(AnalysisError::Kind::InvalidGeometry, "Error: Missing Aperture!");
    // The averaged files replace the fit, so the list's term count does not apply;
    // the wavelengths and waves per fringe are read as APPLY reads them.
    AnalysisSettings derived = m.settings;
    deriveAnalysisSettings(derived);
    derived.highestTerm = average.termCount;
    const ZernikeCoefficients used = referenceCorrected(average.meanFringes, m.referenceFringes,
                                                        derived.wavesPerFringe, average.termCount);
    m.settings = derived;

    if (m.settings.input.analysisType != AnalysisType::Aspheric) {
        m.results.idealConicCoefficients.fill(0.0);
        replaceUsedCoefficients(m, used, average.termCount);
        return;
    }
    // As in APPLY: a failed ideal conic still lets the summary run, then is reported.
    const std::optional<AnalysisError> idealFailure = computeIdealConicKeepingError(m, idealConic);
    replaceUsedCoefficients(m, used, average.termCount);
    if (idealFailure)
        throw *idealFailure;
    estimateBestFitConic(m);
}

} // namespace lumi
