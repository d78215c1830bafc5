#include "analysis/applycommand.h"

#include "analysis/analysiserror.h"
#include "analysis/zernikefit.h"
#include "common/numbertext.h"

#include <cmath>
#include <functional>
#include <optional>
#include <string>

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

void estimateBestFitConic(Measurement& m) {
    AnalysisResults& res = m.results;
    // Best-fit conic: the target scaled by measured / ideal primary spherical.
    auto target = narrowToSingle(m.settings.input.targetConic);
    if (!std::isfinite(target))
        throw AnalysisError(AnalysisError::Kind::InvalidSettings,
                            "The target conic constant is too large");
    if (target == 0.0f)
        target = 0.00001f;
    const double ideal8 = res.idealConicCoefficients[8];
    if (ideal8 == 0.0)
        throw AnalysisError(AnalysisError::Kind::ZeroIdealSpherical,
                            "The ideal conic has no spherical aberration: check the surface "
                            "diameter and the curvature radius");
    const auto bestFit = narrowToSingle(res.coefficients[8] / ideal8 * static_cast<double>(target));
    if (!std::isfinite(bestFit))
        throw AnalysisError(AnalysisError::Kind::NonFinite,
                            "The best-fit conic constant is not a finite number");
    res.bestFitConic = bestFit;
    res.applyProgress = ApplyProgress::BestFitConic;
}

std::optional<AnalysisError> computeIdealConicKeepingError(Measurement& m,
                                                           const IdealConicProvider& idealConic) {
    if (idealConic) {
        try {
            idealConic(m);
        } catch (const AnalysisError& e) {
            return e;
        }
    }
    return std::nullopt;
}

namespace {

// APPLY from the counts on: `fit` fits the coefficients and runs the summary.
void applyCounted(Measurement& m, const IdealConicProvider& idealConic,
                  const std::function<void(Measurement&)>& fit) {
    AnalysisResults& res = m.results;
    res.applyProgress = ApplyProgress::Counted;
    if (m.settings.input.analysisType == AnalysisType::Aspheric) {
        // A failed ideal-conic computation keeps the previous coefficients and
        // the fit still runs, so the measured summary is shown.
        const std::optional<AnalysisError> idealFailure =
            computeIdealConicKeepingError(m, idealConic);
        fit(m);
        if (idealFailure)
            throw *idealFailure;
        estimateBestFitConic(m);
    } else {
        res.idealConicCoefficients.fill(0.0);
        fit(m);
    }
    res.analysisDone = true;
}

} // namespace

void runApply(Measurement& m, const IdealConicProvider& idealConic) {
    m.results.applyProgress = ApplyProgress::NotRun;
    deriveAnalysisSettings(m.settings);
    m.results.fringeCount = m.store.nonEmptyFringeCount();
    m.results.pointCount = m.store.totalPointCount();
    applyCounted(m, idealConic, [](Measurement& mm) { fitZernike(mm); });
}

void runApplyToSamples(Measurement& m, std::span<const ZernikeSample> samples, int fringeCount,
                       const IdealConicProvider& idealConic) {
    m.results.applyProgress = ApplyProgress::NotRun;
    deriveAnalysisSettings(m.settings);
    m.results.fringeCount = fringeCount;
    m.results.pointCount = static_cast<int>(samples.size());
    applyCounted(m, idealConic, [samples](Measurement& mm) { fitZernikeSamples(mm, samples); });
}

void resetAnalysis(Measurement& m) {
    m.results.grid.clear();
    m.referenceFringes.fill(0.0);
    m.results.analysisDone = false;
}

} // namespace lumi
