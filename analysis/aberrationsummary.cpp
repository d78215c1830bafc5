#include "analysis/aberrationsummary.h"

#include "analysis/analysiserror.h"
#include "analysis/wavefrontsampler.h"
#include "common/numbertext.h"

#include <cmath>
#include <cstdint>
#include <string>

namespace lumi {

namespace {

constexpr double kPi = 3.14159265358979;
constexpr double kE = 2.71828182845905;
constexpr double kTwoPi = 6.28318530717958;

double finite(double v, const char* what) {
    if (!std::isfinite(v))
        throw AnalysisError(AnalysisError::Kind::NonFinite,
                            std::string("The ") + what + " is not a finite number");
    return v;
}

// "0.123     [1/8.1 waves]" and the short "0.123  [1/8.1]" of the "Zernike" page.
void writeWithReciprocal(double v, std::string& longText, std::string& shortText) {
    const std::string reciprocal = formatFixed(finite(1.0 / v, "reciprocal"), 1);
    longText = formatFixed(v, 3) + "     [1/" + reciprocal + " waves]";
    shortText = formatFixed(v, 3) + "  [1/" + reciprocal + "]";
}

} // namespace

double aberrationAngleDeg(double y, double x, int fold, int decimals) {
    const double half = 180.0 / fold;
    double a = 0.0;
    if (x == 0.0) {
        a = y > 0.0 ? half / 2.0 : (y < 0.0 ? -half / 2.0 : 0.0);
    } else {
        a = std::atan(y / x) / fold * 180.0 / kPi;
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

void calcAberrations(Measurement& m) {
    const AnalysisSettings& settings = m.settings;
    AnalysisResults& res = m.results;
    SummaryTexts& tx = res.texts;
    const auto& c = res.coefficients;
    const double k = static_cast<double>(settings.wavelengthRatio);
    const bool inNm = m.preferences.outputUnits == OutputUnits::Nanometres;
    auto nmText = [&](double v) {
        const double lambdaOutNm = parseLenient(settings.outputWavelengthNmText);
        return formatFixed(finite(lambdaOutNm * v, "nanometre value"), 1) + " " + "  nm.";
    };

    // 1. Sample and take the range as P-V.
    sampleWavefront(m, settings.analysisGridSize);
    const WavefrontGrid& grid = res.grid;
    const int n = grid.gridCount;
    res.peakToValley = grid.range;
    writeWithReciprocal(res.peakToValley, tx.peakToValley, tx.peakToValleyShort);
    tx.peakToValleyNm = nmText(res.peakToValley);

    // 2. RMS over nodes 0..N-1 (the last row and column are not visited here).
    double sum = 0.0;
    std::int32_t count = 0;
    for (int r = 0; r < n; ++r)
        for (int col = 0; col < n; ++col)
            if (grid.at(r, col) != 0.0) {
                sum += grid.at(r, col);
                ++count;
            }
    if (count == 0)
        count = 1;
    const double mean = sum / count;
    double squares = 0.0;
    for (int r = 0; r < n; ++r)
        for (int col = 0; col < n; ++col)
            if (const double w = grid.at(r, col); w != 0.0)
                squares += (w - mean) * (w - mean);
    double rms = finite(std::sqrt(squares / count), "RMS");
    if (rms == 0.0)
        rms = 1e-9;
    res.rms = rms;
    writeWithReciprocal(res.rms, tx.rms, tx.rmsShort);
    tx.rmsNm = nmText(res.rms);

    // 3. Strehl ratio (Marechal approximation).
    res.strehl = finite(std::pow(kE, -((kTwoPi * rms) * (kTwoPi * rms))), "Strehl ratio");
    tx.strehl = formatFixed(res.strehl, 3);

    // Writes one of the five groups: waves and nm texts, the summaryTexts entry
    // in the chosen unit, then " Removed" / "" when its box is ticked.
    auto finish = [&](int index, RemovalGroup group, std::string& wavesText, std::string& nmField,
                      const std::string& waves, const std::string& nm) {
        wavesText = waves;
        nmField = nm;
        res.summaryTexts[static_cast<std::size_t>(index)] = inNm ? nm : waves;
        if (settings.isRemoved(group)) {
            wavesText = " Removed";
            nmField.clear();
        }
    };

    // 4. Tilt, with the coma's share of the x and y slopes taken out.
    {
        const double tiltX = c[1] - 2.0 * c[6];
        const double tiltY = c[2] - 2.0 * c[7];
        const double magnitude = finite(std::sqrt(tiltX * tiltX + tiltY * tiltY) * k, "tilt");
        const double angle = finite(aberrationAngleDeg(tiltY, tiltX, 1, 2), "tilt angle");
        res.tilt = {magnitude, angle};
        finish(0, RemovalGroup::Tilt, tx.tilt, tx.tiltNm,
               formatFixed(magnitude, 3) + "     " + formatShortest(angle) + "  (degree)",
               nmText(magnitude));
    }

    // 5. Defocus: of the two focus positions (astigmatic line foci around the
    // spherical-balanced focus) the one with the smaller magnitude; d- on a tie.
    {
        const double s = std::sqrt(c[4] * c[4] + c[5] * c[5]);
        const double dPlus = 2.0 * c[3] - 6.0 * c[8] + s;
        const double dMinus = 2.0 * c[3] - 6.0 * c[8] - s;
        const double defocus = std::fabs(dMinus) > std::fabs(dPlus) ? dPlus : dMinus;
        res.defocus = finite(defocus * k, "defocus");
        finish(1, RemovalGroup::Power, tx.defocus, tx.defocusNm, formatFixed(res.defocus, 3),
               nmText(res.defocus));
    }

    // 6. Astigmatism (axis angle in 0..+-90).
    {
        const double magnitude =
            finite(2.0 * std::sqrt(c[4] * c[4] + c[5] * c[5]) * k, "astigmatism");
        const double angle = finite(aberrationAngleDeg(c[5], c[4], 2), "astigmatism angle");
        res.astigmatism = {magnitude, angle};
        finish(2, RemovalGroup::LowOrderAstigmatism, tx.astigmatism, tx.astigmatismNm,
               formatFixed(magnitude, 3) + "     " + formatFixed(angle, 2) + "  (degree)",
               nmText(magnitude));
    }

    // 7. Coma.
    {
        const double magnitude = finite(3.0 * std::sqrt(c[6] * c[6] + c[7] * c[7]) * k, "coma");
        const double angle = finite(aberrationAngleDeg(c[7], c[6], 1), "coma angle");
        res.coma = {magnitude, angle};
        finish(3, RemovalGroup::LowOrderComa, tx.coma, tx.comaNm,
               formatFixed(magnitude, 3) + "     " + formatFixed(angle, 2) + "  (degree)",
               nmText(magnitude));
    }

    // 8. Primary spherical (uncompensated, also in aspheric analysis).
    res.spherical = finite(6.0 * c[8] * k, "spherical aberration");
    finish(4, RemovalGroup::LowOrderSpherical, tx.spherical, tx.sphericalNm,
           formatFixed(res.spherical, 3), nmText(res.spherical));
}

} // namespace lumi
