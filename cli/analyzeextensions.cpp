#include "cli/analyzeextensions.h"

#include "cli/analyzerequest.h"
#include "cli/asphericoptions.h"
#include "cli/optiontable.h"
#include "cli/plotsoption.h"
#include "cli/psfstrehloption.h"

namespace lumi::cli {

// One line per extension: include its header above and call its
// add...Options(table, request) here.
void addAnalyzeExtensions([[maybe_unused]] OptionTable& table,
                          [[maybe_unused]] AnalyzeRequest& request) {
    addPsfStrehlOptions(table, request);
    addPlotsOptions(table, request);
    addAsphericOptions(table, request);
}

} // namespace lumi::cli
