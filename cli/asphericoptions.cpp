#include "cli/asphericoptions.h"

#include "analysis/measurement.h"
#include "cli/analyzerequest.h"
#include "cli/jsonwriter.h"
#include "cli/optiontable.h"
#include "cli/usageerror.h"
#include "common/numbertext.h"
#include "report/aberrationtexts.h"

#include <algorithm>
#include <optional>
#include <ostream>
#include <string>

namespace lumi::cli {
namespace {

// The caption column of the aberration page is 34 characters wide.
std::string captioned(std::string caption, const std::string& value) {
    caption.resize(std::max<std::size_t>(caption.size() + 1, 34), ' ');
    return caption + value;
}

double positiveMm(std::string_view option, std::string_view text) {
    const double v = parseOptionNumber(option, text);
    if (!(v > 0.0)) {
        throw UsageError(std::string(option) + ": the length must be above 0 mm");
    }
    return v;
}

} // namespace

void applyAsphericRequest(const AsphericRequest& aspheric, AnalysisInput& in) {
    if (!aspheric.enabled) {
        if (aspheric.diameterMm || aspheric.radiusMm || aspheric.conic) {
            throw UsageError("--diameter, --radius and --conic need --aspheric");
        }
        return;
    }
    in.analysisType = AnalysisType::Aspheric;
    if (aspheric.diameterMm) {
        in.surfaceDiameterMm = *aspheric.diameterMm;
    }
    if (aspheric.radiusMm) {
        in.curvatureRadiusMm = *aspheric.radiusMm;
    }
    if (aspheric.conic) {
        in.targetConic = *aspheric.conic;
    }
}

void writeAsphericJson(const Measurement& m, JsonWriter& json) {
    json.key("idealConicCoefficients");
    json.beginArray();
    for (int t = 0; t <= m.settings.highestTerm; ++t) {
        json.value(m.results.idealConicCoefficients[static_cast<std::size_t>(t)]);
    }
    json.endArray();
    json.member("bestFitConic", static_cast<double>(m.results.bestFitConic));
}

void writeAsphericText(const Measurement& m, std::ostream& out) {
    const AnalysisInput& in = m.settings.input;
    out << "\n"
        << captioned(" Surface Diameter [mm]", formatShortest(in.surfaceDiameterMm)) << "\n"
        << captioned(" Curvature Radius [mm]", formatShortest(in.curvatureRadiusMm)) << "\n"
        << captioned(" Target Conic Constant [ K ]", formatShortest(in.targetConic)) << "\n"
        << captioned(" Ideal spherical (term 8)",
                     formatFixed(m.results.idealConicCoefficients[8], 3) + " waves")
        << "\n"
        << captioned(" Best Fit Conic Constant", bestFitConicText(m.results.bestFitConic)) << "\n";
}

void addAsphericOptions(OptionTable& table, AnalyzeRequest& request) {
    table.addFlag("--aspheric",
                  "Aspheric surface analysis of a conic mirror tested at its centre of\n"
                  "curvature: ray-trace the ideal conic, compensate its primary spherical\n"
                  "and estimate the best-fit conic constant. Adds idealConicCoefficients\n"
                  "and bestFitConic to the JSON.",
                  [&request] { request.aspheric.enabled = true; });
    table.addValue("--diameter", "MM",
                   "Surface diameter (with --aspheric). Default: the file's value.",
                   [&request](std::string_view v) {
                       request.aspheric.diameterMm = positiveMm("--diameter", v);
                   });
    table.addValue("--radius", "MM",
                   "Vertex radius of curvature (with --aspheric); its sign is ignored,\n"
                   "the mirror is concave. Default: the file's value.",
                   [&request](std::string_view v) {
                       const double r = parseOptionNumber("--radius", v);
                       if (r == 0.0) {
                           throw UsageError("--radius: the radius must not be 0 mm");
                       }
                       request.aspheric.radiusMm = r;
                   });
    table.addValue("--conic", "K",
                   "Target conic constant (with --aspheric): -1 paraboloid, 0 sphere\n"
                   "(computed as 0.00001). Default: the file's value, else -1.",
                   [&request](std::string_view v) {
                       request.aspheric.conic = parseOptionNumber("--conic", v);
                   });
}

} // namespace lumi::cli
