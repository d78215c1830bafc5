#include "cli/psfstrehloption.h"

#include "analysis/measurement.h"
#include "cli/analyzerequest.h"
#include "cli/jsonwriter.h"
#include "cli/optiontable.h"
#include "common/numbertext.h"
#include "optics/psfcommand.h"

#include <ostream>
#include <string>

namespace lumi::cli {

void addPsfStrehlOptions(OptionTable& table, AnalyzeRequest& request) {
    table.addFlag("--strehl-psf",
                  "Also measure the Strehl ratio on the point spread function: pupil\n"
                  "sampled 128 x 128 into a 256 x 256 transform, peak intensity over that\n"
                  "of a perfect pupil with the same obstruction. Printed after the page,\n"
                  "or as strehlPsf with --json.",
                  [&request] { request.strehlPsf = true; });
}

void writePsfStrehlJson(const Measurement& m, JsonWriter& json) {
    json.member("strehlPsf", measurePsfStrehl(m));
}

void writePsfStrehlText(const Measurement& m, std::ostream& out) {
    std::string line = " STREHL   RATIO (PSF)";
    line.resize(34, ' '); // the caption column of the aberration page
    out << line << formatFixed(measurePsfStrehl(m), 3) << "\n";
}

} // namespace lumi::cli
