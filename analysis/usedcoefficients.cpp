#include "analysis/usedcoefficients.h"

#include "analysis/aberrationsummary.h"
#include "analysis/analysiserror.h"
#include "common/numbertext.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <string>
#include <utility>

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

ApplyOutcome withUsedCoefficients(ApplyOutcome from, const FringeStore& pupil,
                                  const ZernikeCoefficients& usedWaves, int lastTerm) {
    ApplyOutcome out = std::move(from);
    const auto last = static_cast<std::size_t>(std::clamp(lastTerm, 0, kZernikeSlots - 1));
    // Nothing of an earlier analysis with more terms may stay above lastTerm.
    out.results.coefficients.fill(0.0);
    std::copy_n(usedWaves.begin(), last + 1, out.results.coefficients.begin());
    out.progress = ApplyProgress::Fitted;
    try {
        out.results = calcAberrations(out.settings, out.results, pupil);
        out.progress = ApplyProgress::Summarised;
    } catch (const AnalysisError& e) {
        out.error = e;
    }
    return out;
}

ApplyOutcome replaceUsedCoefficients(const Measurement& m, const ZernikeCoefficients& usedWaves,
                                     int lastTerm) {
    return withUsedCoefficients({m.settings, m.results, ApplyProgress::NotRun, std::nullopt},
                                m.store, usedWaves, lastTerm);
}

ApplyOutcome subtractReference(const Measurement& m, const ZernikeCoefficients& shownFringes) {
    ApplyOutcome out{m.settings, m.results, ApplyProgress::NotRun, std::nullopt};
    try {
        const float wpf = deriveWavesPerFringe(m.settings.input);
        const int last = m.settings.highestTerm;
        const ZernikeCoefficients used =
            referenceCorrected(shownFringes, m.referenceFringes, wpf, last);
        out.settings.wavesPerFringe = wpf;
        return withUsedCoefficients(std::move(out), m.store, used, last);
    } catch (const AnalysisError& e) {
        out.error = e;
        return out;
    }
}

ApplyOutcome applyZernikeAverage(const Measurement& m, const ZernikeAverage& average,
                                 const IdealConic& idealConic) {
    ApplyOutcome out{m.settings, m.results, ApplyProgress::NotRun, std::nullopt};
    try {
        if (m.store.aperture.radiusPx == 0.0)
            throw AnalysisError(AnalysisError::Kind::InvalidGeometry, "Error: Missing Aperture!");
        // The averaged files replace the fit, so the list's term count does not apply;
        // the wavelengths and waves per fringe are read as APPLY reads them.
        AnalysisSettings derived = m.settings;
        deriveAnalysisSettings(derived);
        derived.highestTerm = average.termCount;
        const ZernikeCoefficients used = referenceCorrected(
            average.meanFringes, m.referenceFringes, derived.wavesPerFringe, average.termCount);
        out.settings = derived;
        // As in APPLY: a failed ideal conic still lets the summary run, then is reported.
        return fitWithIdealConic(std::move(out), idealConic, [&](ApplyOutcome ready) {
            return withUsedCoefficients(std::move(ready), m.store, used, average.termCount);
        });
    } catch (const AnalysisError& e) {
        out.error = e;
        return out;
    }
}

} // namespace lumi
