#include "analysis/zernikefit.h"

#include "analysis/aberrationsummary.h"
#include "analysis/analysiserror.h"
#include "analysis/normalequations.h"
#include "analysis/zernike.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <utility>

namespace lumi {

std::vector<ZernikeSample> fringeSamples(const FringeStore& store, float wavesPerFringe) {
    const ApertureCircle& ap = store.aperture;
    std::vector<ZernikeSample> samples;
    samples.reserve(static_cast<std::size_t>(store.totalPointCount()));
    for (int f = 0; f < FringeStore::kFringesInUse; ++f) {
        const int count = store.pointCount(f);
        if (count > 0 && ap.radiusPx == 0.0)
            throw AnalysisError(AnalysisError::Kind::InvalidGeometry,
                                "The aperture circle is missing: mark the aperture first");
        // Fringe order times waves per fringe, in single precision.
        const float heightWaves = static_cast<float>(store.fringeOrder(f)) * wavesPerFringe;
        for (int p = 1; p <= count; ++p)
            samples.push_back({(store.pointX(f, p) - ap.centerXPx) / ap.radiusPx,
                               (store.pointY(f, p) - ap.centerYPx) / ap.radiusPx,
                               static_cast<double>(heightWaves)});
    }
    return samples;
}

ApplyOutcome withZernikeFit(ApplyOutcome from, const FringeStore& pupil,
                            const ZernikeCoefficients& referenceFringes,
                            std::span<const ZernikeSample> samples) {
    ApplyOutcome out = std::move(from);
    AnalysisResults& res = out.results;
    const int highest = std::clamp(out.settings.highestTerm, 0, kZernikeTermCount - 1);
    const int termCount = highest + 1;
    const auto terms = static_cast<std::size_t>(termCount);
    const double wavesPerFringe = static_cast<double>(out.settings.wavesPerFringe);

    try {
        NormalEquations eq = buildNormalEquations(samples, termCount);
        solveNormalEquations(eq);

        // Every used coefficient is cleared, not only the fitted ones: a term an
        // earlier fit with more terms left behind would otherwise be saved with
        // this fit's terms and counted by an average of such files. A fit that
        // fails leaves the earlier coefficients as they were.
        ZernikeCoefficients used{};
        ZernikeCoefficients fitted{};
        for (std::size_t t = 0; t < terms; ++t) {
            fitted[t] = eq.rhs[t];
            used[t] = eq.rhs[t] - wavesPerFringe * referenceFringes[t];
            if (!std::isfinite(used[t]))
                throw AnalysisError(AnalysisError::Kind::NonFinite,
                                    "The reference coefficient of term " + std::to_string(t) +
                                        " is too large");
        }

        // Residual at the points against the reference-corrected coefficients.
        double squares = 0.0;
        for (const ZernikeSample& s : samples) {
            const double residual = s.valueWaves - zernikeSum(used, termCount, s.x, s.y);
            squares += residual * residual;
        }
        const double fitRms = std::sqrt(squares / static_cast<double>(samples.size()));
        if (!std::isfinite(fitRms))
            throw AnalysisError(AnalysisError::Kind::NonFinite,
                                "The fit error is not a finite number");
        res.fittedCoefficients = fitted;
        res.coefficients = used;
        res.fitRmsError = fitRms;
        out.progress = ApplyProgress::Fitted;

        res = calcAberrations(out.settings, res, pupil);
        out.progress = ApplyProgress::Summarised;
    } catch (const AnalysisError& e) {
        out.error = e;
    }
    return out;
}

ApplyOutcome fitZernike(const Measurement& m) {
    try {
        return fitZernikeSamples(m, fringeSamples(m.store, m.settings.wavesPerFringe));
    } catch (const AnalysisError& e) {
        return {m.settings, m.results, ApplyProgress::NotRun, e};
    }
}

ApplyOutcome fitZernikeSamples(const Measurement& m, std::span<const ZernikeSample> samples) {
    return withZernikeFit({m.settings, m.results, ApplyProgress::NotRun, std::nullopt}, m.store,
                          m.referenceFringes, samples);
}

} // namespace lumi
