#include "cli/asphericoptions.h"

#include "analysis/applycommand.h"
#include "analysis/idealconicapply.h"
#include "analysis/measurement.h"
#include "cli/analyzecommand.h"
#include "cli/analyzerequest.h"
#include "cli/jsonwriter.h"
#include "cli/optiontable.h"
#include "cli/usageerror.h"
#include "common/numbertext.h"
#include "report/aberrationtexts.h"

#include <algorithm>
#include <memory>
#include <optional>
#include <ostream>
#include <string>

namespace lumi::cli {
namespace {

struct AsphericRequest {
    bool enabled = false;
    bool hooked = false;
    std::optional<double> diameterMm;
    std::optional<double> radiusMm;
    std::optional<double> conic;
};

// The caption column of the aberration page is 34 characters wide.
std::string captioned(std::string caption, const std::string& value) {
    caption.resize(std::max<std::size_t>(caption.size() + 1, 34), ' ');
    return caption + value;
}

void hookInto(const std::shared_ptr<AsphericRequest>& aspheric, AnalyzeRequest& request) {
    if (aspheric->hooked) {
        return;
    }
    aspheric->hooked = true;
    request.settingOverrides.emplace_back([aspheric](Measurement& m) {
        if (!aspheric->enabled) {
            throw UsageError("--diameter, --radius and --conic need --aspheric");
        }
        AnalysisInput& in = m.settings.input;
        in.analysisType = AnalysisType::Aspheric;
        if (aspheric->diameterMm) {
            in.surfaceDiameterMm = *aspheric->diameterMm;
        }
        if (aspheric->radiusMm) {
            in.curvatureRadiusMm = *aspheric->radiusMm;
        }
        if (aspheric->conic) {
            in.targetConic = *aspheric->conic;
        }
    });
    request.apply = [](Measurement& m) { keepOutcome(m, runApply(m, idealConicFor(m.settings))); };
    request.jsonExtras.emplace_back([](const Measurement& m, JsonWriter& json) {
        json.key("idealConicCoefficients");
        json.beginArray();
        for (int t = 0; t <= m.settings.highestTerm; ++t) {
            json.value(m.results.idealConicCoefficients[static_cast<std::size_t>(t)]);
        }
        json.endArray();
        json.member("bestFitConic", static_cast<double>(m.results.bestFitConic));
    });
    request.textExtras.emplace_back([](const Measurement& m, std::ostream& out) {
        const AnalysisInput& in = m.settings.input;
        out << "\n"
            << captioned(" Surface Diameter [mm]", formatShortest(in.surfaceDiameterMm)) << "\n"
            << captioned(" Curvature Radius [mm]", formatShortest(in.curvatureRadiusMm)) << "\n"
            << captioned(" Target Conic Constant [ K ]", formatShortest(in.targetConic)) << "\n"
            << captioned(" Ideal spherical (term 8)",
                         formatFixed(m.results.idealConicCoefficients[8], 3) + " waves")
            << "\n"
            << captioned(" Best Fit Conic Constant", bestFitConicText(m.results.bestFitConic))
            << "\n";
    });
}

double positiveMm(std::string_view option, std::string_view text) {
    const double v = parseOptionNumber(option, text);
    if (!(v > 0.0)) {
        throw UsageError(std::string(option) + ": the length must be above 0 mm");
    }
    return v;
}

} // namespace

void addAsphericOptions(OptionTable& table, AnalyzeRequest& request) {
    auto aspheric = std::make_shared<AsphericRequest>();
    table.addFlag("--aspheric",
                  "Aspheric surface analysis of a conic mirror tested at its centre of\n"
                  "curvature: ray-trace the ideal conic, compensate its primary spherical\n"
                  "and estimate the best-fit conic constant. Adds idealConicCoefficients\n"
                  "and bestFitConic to the JSON.",
                  [aspheric, &request] {
                      aspheric->enabled = true;
                      hookInto(aspheric, request);
                  });
    table.addValue("--diameter", "MM",
                   "Surface diameter (with --aspheric). Default: the file's value.",
                   [aspheric, &request](std::string_view v) {
                       aspheric->diameterMm = positiveMm("--diameter", v);
                       hookInto(aspheric, request);
                   });
    table.addValue("--radius", "MM",
                   "Vertex radius of curvature (with --aspheric); its sign is ignored,\n"
                   "the mirror is concave. Default: the file's value.",
                   [aspheric, &request](std::string_view v) {
                       const double r = parseOptionNumber("--radius", v);
                       if (r == 0.0) {
                           throw UsageError("--radius: the radius must not be 0 mm");
                       }
                       aspheric->radiusMm = r;
                       hookInto(aspheric, request);
                   });
    table.addValue("--conic", "K",
                   "Target conic constant (with --aspheric): -1 paraboloid, 0 sphere\n"
                   "(computed as 0.00001). Default: the file's value, else -1.",
                   [aspheric, &request](std::string_view v) {
                       aspheric->conic = parseOptionNumber("--conic", v);
                       hookInto(aspheric, request);
                   });
}

} // namespace lumi::cli
