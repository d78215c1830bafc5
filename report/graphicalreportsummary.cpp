#include "report/graphicalreportsummary.h"

#include "common/numbertext.h"
#include "report/aberrationtexts.h"

#include <cmath>

namespace lumi {
namespace {

std::string inOutputUnit(const Measurement& m, double waves) {
    if (m.preferences.outputUnits == OutputUnits::Nanometres) {
        const double nm = waves * m.settings.input.outputWavelengthNm;
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
    const AnalysisInput& in = s.input;
    const AnalysisResults& r = m.results;
    std::vector<CaptionedText> out{
        {"Input wavelength [nm]", formatShortest(in.inputWavelengthNm)},
        {"Output wavelength [nm]", formatShortest(in.outputWavelengthNm)},
        {"Waves per fringe", formatShortest(in.wavesPerFringe)},
        {"Peak to valley", inOutputUnit(m, r.peakToValley)},
        {"RMS", inOutputUnit(m, r.rms)},
        {"Strehl ratio", strehlText(r.strehl)},
    };
    const std::array<std::string, 5> values = reportValueTexts(r, s, m.preferences.outputUnits);
    static constexpr std::array<std::pair<const char*, RemovalGroup>, 5> kGroups{{
        {"Tilt", RemovalGroup::Tilt},
        {"Defocus", RemovalGroup::Power},
        {"Astigmatism", RemovalGroup::LowOrderAstigmatism},
        {"Coma", RemovalGroup::LowOrderComa},
        {"Spherical", RemovalGroup::LowOrderSpherical},
    }};
    for (std::size_t i = 0; i < kGroups.size(); ++i) {
        const auto& [caption, group] = kGroups[i];
        out.push_back({caption, s.isRemoved(group) ? " Removed" : values[i]});
    }
    if (in.analysisType == AnalysisType::Aspheric) {
        out.push_back({"Surface diameter [mm]", formatShortest(in.surfaceDiameterMm)});
        out.push_back({"Curvature radius [mm]", formatShortest(in.curvatureRadiusMm)});
        out.push_back({"Target conic constant", formatShortest(in.targetConic)});
        out.push_back({"Best-fit conic", bestFitConicText(r.bestFitConic)});
    }
    return out;
}

} // namespace lumi
