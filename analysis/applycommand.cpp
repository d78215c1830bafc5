#include "analysis/applycommand.h"

#include "analysis/analysiserror.h"
#include "analysis/zernikefit.h"
#include "common/numbertext.h"

#include <cmath>
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace lumi {

float deriveWavesPerFringe(const AnalysisInput& in) {
    const auto wavesPerFringe = narrowToSingle(std::fabs(in.wavesPerFringe));
    if (!std::isfinite(wavesPerFringe))
        throw AnalysisError(AnalysisError::Kind::InvalidSettings,
                            "The waves per fringe is too large");
    if (wavesPerFringe == 0.0f)
        throw AnalysisError(AnalysisError::Kind::ZeroWavesPerFringe,
                            "The waves per fringe is 0: enter 0.5 for a double-pass test or 1 "
                            "for a single-pass test");
    return wavesPerFringe;
}

void deriveAnalysisSettings(AnalysisSettings& s) {
    const AnalysisInput& in = s.input;
    const double outputNm = in.outputWavelengthNm;
    if (outputNm == 0.0)
        throw AnalysisError(AnalysisError::Kind::ZeroOutputWavelength,
                            "The output wavelength is 0: enter a wavelength in nanometres");
    const auto ratio = narrowToSingle(in.inputWavelengthNm / outputNm);
    if (!std::isfinite(ratio))
        throw AnalysisError(AnalysisError::Kind::NonFinite,
                            "The ratio of the input to the output wavelength is too large");
    s.wavelengthRatio = ratio;

    s.wavesPerFringe = deriveWavesPerFringe(in);

    int highest = 24; // "Auto"
    if (in.zernikeTerms != AnalysisInput::kAutoTerms) {
        if (!(in.zernikeTerms >= 1 && in.zernikeTerms <= 37))
            throw AnalysisError(AnalysisError::Kind::InvalidSettings,
                                "The Zernike number must be Auto, 9, 16, 25 or 37");
        highest = in.zernikeTerms - 1;
    }
    s.highestTerm = highest;
    s.analysisGridSize = 32;
}

float estimateBestFitConic(const AnalysisInput& input, const AnalysisResults& results) {
    // Best-fit conic: the target scaled by measured / ideal primary spherical.
    auto target = narrowToSingle(input.targetConic);
    if (!std::isfinite(target))
        throw AnalysisError(AnalysisError::Kind::InvalidSettings,
                            "The target conic constant is too large");
    if (target == 0.0f)
        target = 0.00001f;
    const double ideal8 = results.idealConicCoefficients[8];
    if (ideal8 == 0.0)
        throw AnalysisError(AnalysisError::Kind::ZeroIdealSpherical,
                            "The ideal conic has no spherical aberration: check the surface "
                            "diameter and the curvature radius");
    const auto bestFit =
        narrowToSingle(results.coefficients[8] / ideal8 * static_cast<double>(target));
    if (!std::isfinite(bestFit))
        throw AnalysisError(AnalysisError::Kind::NonFinite,
                            "The best-fit conic constant is not a finite number");
    return bestFit;
}

ApplyOutcome fitWithIdealConic(ApplyOutcome from, const IdealConic& idealConic,
                               const std::function<ApplyOutcome(ApplyOutcome)>& fit) {
    if (from.settings.input.analysisType != AnalysisType::Aspheric) {
        from.results.idealConicCoefficients.fill(0.0);
        return fit(std::move(from));
    }
    // A failed ideal-conic computation keeps the previous coefficients and the
    // fit still runs, so the measured summary is shown.
    if (idealConic.coefficients)
        from.results.idealConicCoefficients = *idealConic.coefficients;
    ApplyOutcome out = fit(std::move(from));
    if (!out.succeeded())
        return out;
    if (idealConic.error) {
        out.error = idealConic.error;
        return out;
    }
    try {
        out.results.bestFitConic = estimateBestFitConic(out.settings.input, out.results);
        out.progress = ApplyProgress::BestFitConic;
    } catch (const AnalysisError& e) {
        out.error = e;
    }
    return out;
}

namespace {

// APPLY: derives the settings, takes the counts, then fits with `fit`.
ApplyOutcome applyCounted(const Measurement& m, int fringeCount, int pointCount,
                          const IdealConic& idealConic,
                          const std::function<ApplyOutcome(ApplyOutcome)>& fit) {
    ApplyOutcome out{m.settings, m.results, ApplyProgress::NotRun, std::nullopt};
    try {
        deriveAnalysisSettings(out.settings);
    } catch (const AnalysisError& e) {
        out.error = e;
        return out;
    }
    out.results.fringeCount = fringeCount;
    out.results.pointCount = pointCount;
    out.progress = ApplyProgress::Counted;
    out = fitWithIdealConic(std::move(out), idealConic, fit);
    if (out.succeeded())
        out.results.analysisDone = true;
    return out;
}

} // namespace

ApplyOutcome runApply(const Measurement& m, const IdealConic& idealConic) {
    return applyCounted(m, m.store.nonEmptyFringeCount(), m.store.totalPointCount(), idealConic,
                        [&m](ApplyOutcome counted) {
                            std::vector<ZernikeSample> samples;
                            try {
                                samples = fringeSamples(m.store, counted.settings.wavesPerFringe);
                            } catch (const AnalysisError& e) {
                                counted.error = e;
                                return counted;
                            }
                            return withZernikeFit(std::move(counted), m.store, m.referenceFringes,
                                                  samples);
                        });
}

ApplyOutcome runApplyToSamples(const Measurement& m, std::span<const ZernikeSample> samples,
                               int fringeCount, const IdealConic& idealConic) {
    return applyCounted(m, fringeCount, static_cast<int>(samples.size()), idealConic,
                        [&m, samples](ApplyOutcome counted) {
                            return withZernikeFit(std::move(counted), m.store, m.referenceFringes,
                                                  samples);
                        });
}

AnalysisResults resultsForNewPicture(AnalysisResults results) {
    results.grid.clear();
    results.analysisDone = false;
    return results;
}

} // namespace lumi
