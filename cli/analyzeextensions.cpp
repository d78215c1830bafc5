#include "cli/analyzeextensions.h"

#include "cli/analyzerequest.h"
#include "cli/asphericoptions.h"
#include "cli/optiontable.h"
#include "cli/plotsoption.h"
#include "cli/psfstrehloption.h"

namespace lumi::cli {

// One line per extension in each function: include its header above and call it here.

void addAnalyzeExtensions(OptionTable& table, AnalyzeRequest& request) {
    addPsfStrehlOptions(table, request);
    addPlotsOptions(table, request);
    addAsphericOptions(table, request);
}

void applyExtensionSettings(const AnalyzeRequest& request, AnalysisInput& input) {
    applyAsphericRequest(request.aspheric, input);
}

void writeExtensionFiles(const AnalyzeRequest& request, const Measurement& m, std::ostream& log) {
    if (!request.plots.directory.empty())
        writePlots(request.plots, m, log, *request.written);
}

void writeExtensionJson(const AnalyzeRequest& request, const Measurement& m, JsonWriter& json) {
    if (request.strehlPsf)
        writePsfStrehlJson(m, json);
    if (request.aspheric.enabled)
        writeAsphericJson(m, json);
}

void writeExtensionText(const AnalyzeRequest& request, const Measurement& m, std::ostream& out) {
    if (request.strehlPsf)
        writePsfStrehlText(m, out);
    if (request.aspheric.enabled)
        writeAsphericText(m, out);
}

} // namespace lumi::cli
