#include "analysis/aberrationsummary.h"

#include "analysis/analysiserror.h"
#include "analysis/wavefrontsampler.h"
#include "common/mathconstants.h"
#include "common/numbertext.h"

#include <cmath>
#include <cstdint>
#include <string>

namespace lumi {

namespace {

constexpr double kE = 2.71828182845905;

double finite(double v, const char* what) {
    if (!std::isfinite(v))
        throw AnalysisError(AnalysisError::Kind::NonFinite,
                            std::string("The ") + what + " is not a finite number");
    return v;
}

} // namespace

double aberrationAngleDeg(double y, double x, int fold, int decimals) {
    const double half = 180.0 / fold;
    double a = 0.0;
    if (x == 0.0) {
        a = y > 0.0 ? half / 2.0 : (y < 0.0 ? -half / 2.0 : 0.0);
    } else {
        a = std::atan(y / x) / fold * 180.0 / kPiRounded14;
        if (x < 0.0) {
            if (a > 0.0)
                a -= half;
            else if (a < 0.0)
                a += half;
            else
                a = half; // pointing along -x, not +x
        }
    }
    if (decimals >= 0) {
        const double scale = std::pow(10.0, decimals);
        a = roundHalfEven(a * scale) / scale;
    }
    return a + 0.0; // no "-0" in the text
}

AnalysisResults calcAberrations(const AnalysisSettings& settings, AnalysisResults results,
                                const FringeStore& pupil) {
    AnalysisResults& res = results;
    const auto& c = res.coefficients;
    const double k = static_cast<double>(settings.wavelengthRatio);
    // Every value is also shown in nm and P-V and RMS as "1/x waves": those must
    // be finite too, checked in the order the page shows them.
    const double lambdaOutNm = settings.input.outputWavelengthNm;
    auto checkNm = [&](double v) { finite(lambdaOutNm * v, "nanometre value"); };
    auto checkReciprocal = [](double v) { finite(1.0 / v, "reciprocal"); };

    // 1. Sample and take the range as P-V.
    res.grid = *sampleWavefrontGrid(settings, res, pupil, settings.analysisGridSize);
    const WavefrontGrid& grid = res.grid;
    const int n = grid.gridCount;
    res.peakToValley = grid.range;
    checkReciprocal(res.peakToValley);
    checkNm(res.peakToValley);

    // 2. RMS over the pupil's nodes 0..N-1 (the last row and column are not
    // visited here).
    double sum = 0.0;
    std::int32_t count = 0;
    for (int r = 0; r < n; ++r)
        for (int col = 0; col < n; ++col)
            if (grid.inPupil(r, col)) {
                sum += grid.at(r, col);
                ++count;
            }
    if (count == 0)
        count = 1;
    const double mean = sum / count;
    double squares = 0.0;
    for (int r = 0; r < n; ++r)
        for (int col = 0; col < n; ++col)
            if (grid.inPupil(r, col))
                squares += (grid.at(r, col) - mean) * (grid.at(r, col) - mean);
    double rms = finite(std::sqrt(squares / count), "RMS");
    if (rms == 0.0)
        rms = 1e-9;
    res.rms = rms;
    checkReciprocal(res.rms);
    checkNm(res.rms);

    // 3. Strehl ratio (Marechal approximation).
    res.strehl =
        finite(std::pow(kE, -((kTwoPiRounded14 * rms) * (kTwoPiRounded14 * rms))), "Strehl ratio");

    // 4. Tilt, with the coma's share of the x and y slopes taken out.
    {
        const double tiltX = c[1] - 2.0 * c[6];
        const double tiltY = c[2] - 2.0 * c[7];
        const double magnitude = finite(std::sqrt(tiltX * tiltX + tiltY * tiltY) * k, "tilt");
        const double angle = finite(aberrationAngleDeg(tiltY, tiltX, 1, 2), "tilt angle");
        res.tilt = {magnitude, angle};
        checkNm(magnitude);
    }

    // 5. Defocus: of the two focus positions (astigmatic line foci around the
    // spherical-balanced focus) the one with the smaller magnitude; d- on a tie.
    {
        const double s = std::sqrt(c[4] * c[4] + c[5] * c[5]);
        const double dPlus = 2.0 * c[3] - 6.0 * c[8] + s;
        const double dMinus = 2.0 * c[3] - 6.0 * c[8] - s;
        const double defocus = std::fabs(dMinus) > std::fabs(dPlus) ? dPlus : dMinus;
        res.defocus = finite(defocus * k, "defocus");
        checkNm(res.defocus);
    }

    // 6. Astigmatism (axis angle in 0..+-90). With c5 = 0 and c4 < 0 the axis
    // is 90 degrees, not -90: both name the same axis and 90 is the one shown.
    {
        const double magnitude =
            finite(2.0 * std::sqrt(c[4] * c[4] + c[5] * c[5]) * k, "astigmatism");
        const double angle = finite(aberrationAngleDeg(c[5], c[4], 2), "astigmatism angle");
        res.astigmatism = {magnitude, angle};
        checkNm(magnitude);
    }

    // 7. Coma.
    {
        const double magnitude = finite(3.0 * std::sqrt(c[6] * c[6] + c[7] * c[7]) * k, "coma");
        const double angle = finite(aberrationAngleDeg(c[7], c[6], 1), "coma angle");
        res.coma = {magnitude, angle};
        checkNm(magnitude);
    }

    // 8. Primary spherical (uncompensated, also in aspheric analysis).
    res.spherical = finite(6.0 * c[8] * k, "spherical aberration");
    checkNm(res.spherical);
    return results;
}

AnalysisResults calcAberrations(const Measurement& m) {
    return calcAberrations(m.settings, m.results, m.store);
}

} // namespace lumi
