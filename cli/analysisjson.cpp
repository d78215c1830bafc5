#include "cli/analysisjson.h"

#include "analysis/measurement.h"
#include "cli/jsonwriter.h"

namespace lumi::cli {
namespace {

void coefficientArray(JsonWriter& json, const char* name, const ZernikeCoefficients& c,
                      int highestTerm) {
    json.key(name);
    json.beginArray();
    for (int t = 0; t <= highestTerm; ++t)
        json.value(c[static_cast<std::size_t>(t)]);
    json.endArray();
}

void oriented(JsonWriter& json, const char* name, const OrientedAberration& a) {
    json.key(name);
    json.beginObject();
    json.member("magnitude", a.magnitude);
    json.member("angleDeg", a.angleDeg);
    json.endObject();
}

} // namespace

void writeAnalysisJson(const Measurement& m, JsonWriter& json) {
    const AnalysisResults& r = m.results;
    const AnalysisSettings& s = m.settings;
    coefficientArray(json, "fittedCoefficients", r.fittedCoefficients, s.highestTerm);
    coefficientArray(json, "coefficients", r.coefficients, s.highestTerm);
    json.member("highestTerm", s.highestTerm);
    json.member("wavesPerFringe", static_cast<double>(s.wavesPerFringe));
    json.member("wavelengthRatio", static_cast<double>(s.wavelengthRatio));
    json.member("peakToValley", r.peakToValley);
    json.member("rms", r.rms);
    json.member("strehl", r.strehl);
    json.member("fitRmsError", r.fitRmsError);
    json.member("fringeCount", r.fringeCount);
    json.member("pointCount", r.pointCount);
    oriented(json, "tilt", r.tilt);
    json.member("defocus", r.defocus);
    oriented(json, "astigmatism", r.astigmatism);
    oriented(json, "coma", r.coma);
    json.member("spherical", r.spherical);

    const SummaryTexts& t = r.texts;
    json.key("texts");
    json.beginObject();
    json.member("peakToValley", t.peakToValley);
    json.member("peakToValleyNm", t.peakToValleyNm);
    json.member("rms", t.rms);
    json.member("rmsNm", t.rmsNm);
    json.member("strehl", t.strehl);
    json.member("tilt", t.tilt);
    json.member("tiltNm", t.tiltNm);
    json.member("defocus", t.defocus);
    json.member("defocusNm", t.defocusNm);
    json.member("astigmatism", t.astigmatism);
    json.member("astigmatismNm", t.astigmatismNm);
    json.member("coma", t.coma);
    json.member("comaNm", t.comaNm);
    json.member("spherical", t.spherical);
    json.member("sphericalNm", t.sphericalNm);
    json.member("fitRmsError", t.fitRmsError);
    json.member("fringeCount", t.fringeCount);
    json.member("pointCount", t.pointCount);
    json.key("report");
    json.beginObject();
    static constexpr const char* kNames[] = {"tilt", "defocus", "astigmatism", "coma", "spherical"};
    for (std::size_t i = 0; i < r.summaryTexts.size(); ++i)
        json.member(kNames[i], r.summaryTexts[i]);
    json.member("unit", m.preferences.outputUnits == OutputUnits::Nanometres ? "nm" : "waves");
    json.endObject();
    json.endObject();
}

} // namespace lumi::cli
