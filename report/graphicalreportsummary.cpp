#include "report/graphicalreportsummary.h"

#include "common/numbertext.h"

#include <cmath>

namespace lumi {
namespace {

std::string inOutputUnit(const Measurement& m, double waves) {
    if (m.preferences.outputUnits == OutputUnits::Nanometres) {
        const double nm = waves * parseLenient(m.settings.outputWavelengthNmText);
        return formatFixed(nm, 1) + "  nm.";
    }
    std::string text = formatFixed(waves, 3);
    if (waves != 0.0 && std::isfinite(1.0 / waves)) {
        text += "     (1/" + formatFixed(1.0 / waves, 1) + " waves)";
    }
    return text;
}

} // namespace

std::vector<CaptionedText> graphicalReportSummary(const Measurement& m) {
    const AnalysisSettings& s = m.settings;
    const AnalysisResults& r = m.results;
    std::vector<CaptionedText> out{
        {"Input wavelength [nm]", s.inputWavelengthNmText},
        {"Output wavelength [nm]", s.outputWavelengthNmText},
        {"Waves per fringe", s.wavesPerFringeText},
        {"Peak to valley", inOutputUnit(m, r.peakToValley)},
        {"RMS", inOutputUnit(m, r.rms)},
        {"Strehl ratio", r.texts.strehl},
    };
    static constexpr std::array<std::pair<const char*, RemovalGroup>, 5> kGroups{{
        {"Tilt", RemovalGroup::Tilt},
        {"Defocus", RemovalGroup::Power},
        {"Astigmatism", RemovalGroup::LowOrderAstigmatism},
        {"Coma", RemovalGroup::LowOrderComa},
        {"Spherical", RemovalGroup::LowOrderSpherical},
    }};
    for (std::size_t i = 0; i < kGroups.size(); ++i) {
        const auto& [caption, group] = kGroups[i];
        out.push_back({caption, s.isRemoved(group) ? " Removed" : r.summaryTexts[i]});
    }
    if (s.analysisType == AnalysisType::Aspheric) {
        out.push_back({"Surface diameter [mm]", s.surfaceDiameterMmText});
        out.push_back({"Curvature radius [mm]", s.curvatureRadiusMmText});
        out.push_back({"Target conic constant", s.targetConicText});
        out.push_back(
            {"Best-fit conic", "  K =   " + formatFixed(static_cast<double>(r.bestFitConic), 3)});
    }
    return out;
}

} // namespace lumi
