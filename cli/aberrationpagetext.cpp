#include "cli/aberrationpagetext.h"

#include "analysis/measurement.h"
#include "analysis/zernike.h"
#include "cli/removallist.h"
#include "common/numbertext.h"

#include <string_view>

namespace lumi::cli {
namespace {

constexpr std::size_t kCaptionWidth = 34;
constexpr std::size_t kWavesWidth = 38;

std::string padded(std::string_view s, std::size_t width) {
    std::string out(s);
    if (out.size() < width)
        out.resize(width, ' ');
    else
        out += "  ";
    return out;
}

void row(std::string& out, std::string_view caption, std::string_view waves,
         std::string_view nm = {}) {
    std::string line = padded(caption, kCaptionWidth);
    line += nm.empty() ? std::string(waves) : padded(waves, kWavesWidth) + std::string(nm);
    while (!line.empty() && line.back() == ' ')
        line.pop_back();
    out += line + "\n";
}

std::string removedList(const AnalysisSettings& s) {
    std::string list;
    for (int g = 0; g < kRemovalGroupCount; ++g) {
        const auto group = static_cast<RemovalGroup>(g);
        if (s.isRemoved(group))
            list += std::string(list.empty() ? "" : ", ") + std::string(removalGroupName(group));
    }
    return list.empty() ? "none" : list;
}

} // namespace

std::string aberrationPageText(const Measurement& m, const std::string& fringeFile) {
    const AnalysisSettings& s = m.settings;
    const AnalysisResults& r = m.results;
    const SummaryTexts& t = r.texts;
    std::string out;
    out += "Fringe data: " + fringeFile + "\n";
    out += "Wavelength [nm]: input " + formatShortest(parseLenient(s.inputWavelengthNmText)) +
           ", output " + formatShortest(parseLenient(s.outputWavelengthNmText)) +
           "; waves per fringe " + formatShortest(static_cast<double>(s.wavesPerFringe)) +
           "; terms 0.." + std::to_string(s.highestTerm) + "; removed: " + removedList(s) + "\n\n";

    row(out, "Number of fringes", t.fringeCount);
    row(out, " Total  Points on Fringes", t.pointCount);
    row(out, " Rms Fit Error (quality of Fit)", t.fitRmsError);
    out += "\n";
    row(out, "", "waves", "nm");
    row(out, " PEAK to VALLEY", t.peakToValley, t.peakToValleyNm);
    row(out, " RMS", t.rms, t.rmsNm);
    row(out, " STREHL   RATIO", t.strehl);
    row(out, " TILT", t.tilt, t.tiltNm);
    row(out, " DEFOCUS", t.defocus, t.defocusNm);
    row(out, " ASTIGMATISM  (low-order) ", t.astigmatism, t.astigmatismNm);
    row(out, " COMA              (low-order)", t.coma, t.comaNm);
    row(out, " SPHERICAL     (low-order)", t.spherical, t.sphericalNm);
    if (!t.bestFitConic.empty())
        row(out, "Best Fit Conic Constant", t.bestFitConic);

    const bool nm = m.preferences.outputUnits == OutputUnits::Nanometres;
    out += std::string("\nReport values (") + (nm ? "nm" : "waves") + "):\n";
    static constexpr std::string_view kReportNames[] = {"tilt", "defocus", "astigmatism", "coma",
                                                        "spherical"};
    for (std::size_t i = 0; i < r.summaryTexts.size(); ++i)
        row(out, "  " + std::string(kReportNames[i]), r.summaryTexts[i]);

    out += "\nZernike coefficients [fringes]:\n";
    const double wpf = static_cast<double>(s.wavesPerFringe);
    for (int term = 0; term <= s.highestTerm; ++term) {
        std::string index = std::to_string(term);
        index.insert(0, 4 - std::min<std::size_t>(index.size(), 4), ' ');
        std::string value =
            formatFixed(r.fittedCoefficients[static_cast<std::size_t>(term)] / wpf, 6);
        value.insert(0, 14 - std::min<std::size_t>(value.size(), 14), ' ');
        std::string line = index + value + "  " + std::string(zernikeDescription(term));
        while (!line.empty() && line.back() == ' ')
            line.pop_back();
        out += line + "\n";
    }
    return out;
}

} // namespace lumi::cli
