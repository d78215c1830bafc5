#include "report/aberrationtexts.h"

#include "report/asphericnote.h"
#include "report/uncertaintytexts.h"

#include "analysis/zernike.h"
#include "common/numbertext.h"

#include <algorithm>
#include <string_view>
#include <utility>

namespace lumi {
namespace {

constexpr std::array<std::string_view, kRemovalGroupCount> kRemovalNames{
    "tilt",      "power",         "astigmatism", "coma", "spherical", "high-astigmatism",
    "high-coma", "high-spherical"};

constexpr std::array<std::string_view, 5> kReportNames{"tilt", "defocus", "astigmatism", "coma",
                                                       "spherical"};

// The five groups the page and the reports list, in their order.
constexpr std::array<RemovalGroup, 5> kReportGroups{
    RemovalGroup::Tilt, RemovalGroup::Power, RemovalGroup::LowOrderAstigmatism,
    RemovalGroup::LowOrderComa, RemovalGroup::LowOrderSpherical};

std::string reciprocalText(double waves) {
    return formatFixed(1.0 / waves, 1);
}

// Waves text and magnitude (waves) of report group i.
std::pair<std::string, double> reportValue(const AnalysisResults& r, std::size_t i) {
    switch (i) {
    case 0: return {tiltText(r.tilt), r.tilt.magnitude};
    case 1: return {wavesText(r.defocus), r.defocus};
    case 2: return {orientedText(r.astigmatism), r.astigmatism.magnitude};
    case 3: return {orientedText(r.coma), r.coma.magnitude};
    default: return {wavesText(r.spherical), r.spherical};
    }
}

// The command line page's columns: caption 34 wide, waves 38 wide.
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

// Appends the line without its trailing blanks, then a line end.
void addLine(std::string& out, std::string line) {
    while (!line.empty() && line.back() == ' ')
        line.pop_back();
    out += line + "\n";
}

void row(std::string& out, std::string_view caption, std::string_view waves,
         std::string_view nm = {}) {
    std::string line = padded(caption, kCaptionWidth);
    line += nm.empty() ? std::string(waves) : padded(waves, kWavesWidth) + std::string(nm);
    addLine(out, std::move(line));
}

std::string_view unitName(OutputUnits units) {
    return units == OutputUnits::Nanometres ? "nm" : "waves";
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

std::string_view removalGroupName(RemovalGroup group) {
    return kRemovalNames[static_cast<std::size_t>(group)];
}

std::string wavesWithReciprocalText(double waves) {
    return formatFixed(waves, 3) + "     [1/" + reciprocalText(waves) + " waves]";
}

std::string shortWavesWithReciprocalText(double waves) {
    return formatFixed(waves, 3) + "  [1/" + reciprocalText(waves) + "]";
}

std::string nanometreText(double waves, double outputWavelengthNm) {
    return formatFixed(outputWavelengthNm * waves, 1) + "   nm.";
}

std::string strehlText(double strehl) {
    return formatFixed(strehl, 3);
}

std::string tiltText(const OrientedAberration& tilt) {
    return formatFixed(tilt.magnitude, 3) + "     " + formatShortest(tilt.angleDeg) + "  (degree)";
}

std::string orientedText(const OrientedAberration& aberration) {
    return formatFixed(aberration.magnitude, 3) + "     " + formatFixed(aberration.angleDeg, 2) +
           "  (degree)";
}

std::string wavesText(double waves) {
    return formatFixed(waves, 3);
}

std::string bestFitConicText(float conic) {
    return "  K =   " + formatFixed(static_cast<double>(conic), 3);
}

std::string coefficientCellText(double coefficientWaves, float wavesPerFringe) {
    const double wpf = static_cast<double>(wavesPerFringe);
    return wpf == 0.0 ? std::string() : fringeCellText(coefficientWaves / wpf);
}

std::string fringeCellText(double fringes) {
    return formatFixed(fringes, 6);
}

SummaryTexts summaryTexts(const AnalysisResults& r, const AnalysisSettings& settings,
                          ApplyProgress progress, SummaryTexts t) {
    if (progress >= ApplyProgress::Counted) {
        t.fringeCount = std::to_string(r.fringeCount);
        t.pointCount = std::to_string(r.pointCount);
    }
    if (progress >= ApplyProgress::Fitted)
        t.fitRmsError = wavesText(r.fitRmsError);
    if (progress < ApplyProgress::Summarised)
        return t;

    const double lambdaOutNm = settings.input.outputWavelengthNm;
    t.peakToValley = wavesWithReciprocalText(r.peakToValley);
    t.peakToValleyShort = shortWavesWithReciprocalText(r.peakToValley);
    t.peakToValleyNm = nanometreText(r.peakToValley, lambdaOutNm);
    t.rms = wavesWithReciprocalText(r.rms);
    t.rmsShort = shortWavesWithReciprocalText(r.rms);
    t.rmsNm = nanometreText(r.rms, lambdaOutNm);
    t.strehl = strehlText(r.strehl);

    const std::array<std::pair<std::string*, std::string*>, 5> fields{{
        {&t.tilt, &t.tiltNm},
        {&t.defocus, &t.defocusNm},
        {&t.astigmatism, &t.astigmatismNm},
        {&t.coma, &t.comaNm},
        {&t.spherical, &t.sphericalNm},
    }};
    for (std::size_t i = 0; i < fields.size(); ++i) {
        if (settings.isRemoved(kReportGroups[i])) {
            *fields[i].first = " Removed";
            fields[i].second->clear();
        } else {
            const auto [waves, magnitude] = reportValue(r, i);
            *fields[i].first = waves;
            *fields[i].second = nanometreText(magnitude, lambdaOutNm);
        }
    }
    return t;
}

std::array<std::string, 5> reportValueTexts(const AnalysisResults& r,
                                            const AnalysisSettings& settings, OutputUnits units) {
    std::array<std::string, 5> texts;
    for (std::size_t i = 0; i < texts.size(); ++i) {
        const auto [waves, magnitude] = reportValue(r, i);
        texts[i] = units == OutputUnits::Nanometres
                       ? nanometreText(magnitude, settings.input.outputWavelengthNm)
                       : waves;
    }
    return texts;
}

std::string aberrationPageText(const AnalysisResults& r, const AnalysisSettings& s,
                               OutputUnits units, const std::string& fringeFile,
                               const FitUncertainty* uncertainty) {
    const SummaryTexts t = summaryTexts(r, s, ApplyProgress::Summarised);
    std::string out;
    out += "Fringe data: " + fringeFile + "\n";
    out += "Wavelength [nm]: input " + formatShortest(s.input.inputWavelengthNm) + ", output " +
           formatShortest(s.input.outputWavelengthNm) + "; waves per fringe " +
           formatShortest(static_cast<double>(s.wavesPerFringe)) + "; terms 0.." +
           std::to_string(s.highestTerm) + "; removed: " + removedList(s) + "\n\n";

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
    if (s.input.analysisType == AnalysisType::Aspheric)
        row(out, "Best Fit Conic Constant", bestFitConicText(r.bestFitConic));
    if (const std::string note = asphericConventionNote(s); !note.empty())
        addLine(out, note);

    out += "\nReport values (" + std::string(unitName(units)) + "):\n";
    const auto values = reportValueTexts(r, s, units);
    for (std::size_t i = 0; i < values.size(); ++i)
        row(out, "  " + std::string(kReportNames[i]), values[i]);

    const bool withErrors = uncertainty != nullptr && uncertainty->available();
    out += withErrors ? "\nZernike coefficients [fringes, +/- 1 sigma]:\n"
                      : "\nZernike coefficients [fringes]:\n";
    for (int term = 0; term <= s.highestTerm; ++term) {
        std::string index = std::to_string(term);
        index.insert(0, 4 - std::min<std::size_t>(index.size(), 4), ' ');
        std::string value = coefficientCellText(
            r.fittedCoefficients[static_cast<std::size_t>(term)], s.wavesPerFringe);
        value.insert(0, 14 - std::min<std::size_t>(value.size(), 14), ' ');
        if (withErrors)
            value += "  +/- " + stdErrorCellText(*uncertainty, term, s.wavesPerFringe);
        addLine(out, index + value + "  " + std::string(zernikeDescription(term)));
    }
    return out;
}

JsonTexts jsonTexts(const AnalysisResults& r, const AnalysisSettings& s, OutputUnits units) {
    const SummaryTexts t = summaryTexts(r, s, ApplyProgress::Summarised);
    JsonTexts j;
    j.summary = {
        {"peakToValley", t.peakToValley},
        {"peakToValleyNm", t.peakToValleyNm},
        {"rms", t.rms},
        {"rmsNm", t.rmsNm},
        {"strehl", t.strehl},
        {"tilt", t.tilt},
        {"tiltNm", t.tiltNm},
        {"defocus", t.defocus},
        {"defocusNm", t.defocusNm},
        {"astigmatism", t.astigmatism},
        {"astigmatismNm", t.astigmatismNm},
        {"coma", t.coma},
        {"comaNm", t.comaNm},
        {"spherical", t.spherical},
        {"sphericalNm", t.sphericalNm},
        {"fitRmsError", t.fitRmsError},
        {"fringeCount", t.fringeCount},
        {"pointCount", t.pointCount},
    };
    const auto values = reportValueTexts(r, s, units);
    for (std::size_t i = 0; i < values.size(); ++i)
        j.report.emplace_back(std::string(kReportNames[i]), values[i]);
    j.report.emplace_back("unit", unitName(units));
    return j;
}

} // namespace lumi
