#include "cli/analysisjson.h"

#include "analysis/fitquality.h"
#include "analysis/measurement.h"
#include "cli/jsonwriter.h"
#include "report/aberrationtexts.h"
#include "report/fitwarningtexts.h"

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

    const JsonTexts texts = jsonTexts(r, s, m.preferences.outputUnits);
    json.key("texts");
    json.beginObject();
    for (const auto& [key, text] : texts.summary)
        json.member(key.c_str(), text);
    json.key("report");
    json.beginObject();
    for (const auto& [key, text] : texts.report)
        json.member(key.c_str(), text);
    json.endObject();
    json.endObject();
}

void writeFitWarningsJson(const Measurement& m, JsonWriter& json) {
    writeFitWarningsJson(assessFitQuality(m), json);
}

void writeUncertaintyJson(const FitUncertainty& fit, const SummaryUncertainty& summary,
                          int highestTerm, JsonWriter& json) {
    json.key("coefficientStdError");
    json.beginArray();
    for (int t = 0; t <= highestTerm; ++t) {
        if (fit.available() && t < fit.termCount)
            json.value(fit.stdError[static_cast<std::size_t>(t)]);
        else
            json.null();
    }
    json.endArray();
    json.key("uncertainty");
    json.beginObject();
    json.member("degreesOfFreedom", fit.degreesOfFreedom);
    const auto optional = [&json](const char* name, bool given, double v) {
        json.key(name);
        if (given)
            json.value(v);
        else
            json.null();
    };
    optional("residualSigma", fit.available(), fit.residualSigma);
    optional("peakToValley", summary.available, summary.peakToValley);
    optional("rms", summary.rmsAvailable, summary.rms);
    optional("strehl", summary.rmsAvailable, summary.strehl);
    json.endObject();
}

void writeExclusionJson(const OutlierExclusion& exclusion, JsonWriter& json) {
    json.key("excludedOutliers");
    json.beginObject();
    json.member("count", static_cast<int>(exclusion.excluded.size()));
    json.member("refits", exclusion.rounds);
    json.key("points");
    json.beginArray();
    for (const ExcludedPoint& p : exclusion.excluded) {
        json.beginObject();
        json.member("fringe", p.fringeNumber);
        json.member("point", p.pointNumber);
        json.member("xPx", p.xPx);
        json.member("yPx", p.yPx);
        json.endObject();
    }
    json.endArray();
    json.endObject();
}

void writeFitWarningsJson(const std::vector<FitFinding>& findings, JsonWriter& json) {
    json.key("warnings");
    json.beginArray();
    for (const FitFinding& f : findings) {
        json.beginObject();
        json.member("kind", fitFindingKindName(f.kind));
        json.member("text", fitWarningText(f));
        json.member("termCount", f.termCount);
        switch (f.kind) {
        case FitFinding::Kind::EmptySector:
            json.member("fromDeg", f.fromDeg);
            json.member("toDeg", f.toDeg);
            break;
        case FitFinding::Kind::EmptyRim: json.member("outermostRadius", f.outermostRadius); break;
        case FitFinding::Kind::Outlier:
            json.member("fringe", f.fringeNumber);
            json.member("point", f.pointNumber);
            json.member("xPx", f.xPx);
            json.member("yPx", f.yPx);
            json.member("residualWaves", f.residualWaves);
            json.member("fitRmsWaves", f.fitRmsWaves);
            break;
        case FitFinding::Kind::IllDetermined:
            json.member("noiseAmplification", f.noiseAmplification);
            json.member("supportedTermCount", f.supportedTermCount);
            break;
        }
        json.endObject();
    }
    json.endArray();
}

} // namespace lumi::cli
