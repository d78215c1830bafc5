#include "report/uncertaintytexts.h"

#include "common/numbertext.h"

#include <cmath>

namespace lumi {
namespace {

// Enough decimals that a small sigma keeps two significant digits.
std::string sigmaText(double v) {
    return formatFixed(v, v < 0.01 ? 4 : 3);
}

} // namespace

std::string stdErrorFringesText(double stdErrorWaves, double wavesPerFringe) {
    if (wavesPerFringe == 0.0)
        return "";
    const double fringes = stdErrorWaves / wavesPerFringe;
    return std::isfinite(fringes) ? formatFixed(fringes, 6) : "";
}

std::string stdErrorCellText(const FitUncertainty& u, int term, float wavesPerFringe) {
    if (!u.available() || term < 0 || term >= u.termCount)
        return "";
    return stdErrorFringesText(u.stdError[static_cast<std::size_t>(term)],
                               static_cast<double>(wavesPerFringe));
}

SummarySigmaTexts summarySigmaTexts(const SummaryUncertainty& u) {
    SummarySigmaTexts t;
    if (u.available)
        t.peakToValley = "+/- " + sigmaText(u.peakToValley);
    if (u.rmsAvailable) {
        t.rms = "+/- " + sigmaText(u.rms);
        t.strehl = "+/- " + sigmaText(u.strehl);
    }
    return t;
}

std::string uncertaintyPageText(const FitUncertainty& fit, const SummaryUncertainty& summary) {
    if (!fit.available())
        return "\nUncertainty: none, the fit has no spare points (" +
               std::to_string(fit.pointCount) + " points for " + std::to_string(fit.termCount) +
               " terms).\n";
    std::string out = "\nUncertainty (1 sigma, from the residual scatter " +
                      sigmaText(fit.residualSigma) + " waves with " +
                      std::to_string(fit.degreesOfFreedom) + " degrees of freedom):\n";
    if (summary.available)
        out += "  P-V " + sigmaText(summary.peakToValley) + " waves";
    if (summary.rmsAvailable)
        out += std::string(summary.available ? ", " : "  ") + "RMS " + sigmaText(summary.rms) +
               " waves, Strehl ratio " + sigmaText(summary.strehl);
    return out + "\n";
}

std::string exclusionText(const OutlierExclusion& e) {
    if (e.excluded.empty())
        return "";
    const std::size_t n = e.excluded.size();
    std::string out = "Fitted without " + std::to_string(n) + " flagged point" +
                      (n == 1 ? "" : "s") + " (" + std::to_string(e.rounds) + " refit" +
                      (e.rounds == 1 ? "" : "s") + "):";
    for (std::size_t i = 0; i < n; ++i)
        out += std::string(i == 0 ? " " : ", ") + "fringe " +
               std::to_string(e.excluded[i].fringeNumber) + " point " +
               std::to_string(e.excluded[i].pointNumber);
    return out + ". The file keeps them.";
}

} // namespace lumi
