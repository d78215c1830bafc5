#pragma once

#include "analysis/measurement.h"

#include <iosfwd>

namespace lumi::cli {

class JsonWriter;
class OptionTable;
struct AnalyzeRequest;

// "--strehl-psf": also measure the Strehl ratio on the point spread function
// (256 x 256 grid) and report it as "strehlPsf" in the JSON, or as a line
// after the aberration page.
void addPsfStrehlOptions(OptionTable& table, AnalyzeRequest& request);

// "strehlPsf" in the JSON, or its line after the page.
void writePsfStrehlJson(const Measurement& m, JsonWriter& json);
void writePsfStrehlText(const Measurement& m, std::ostream& out);

} // namespace lumi::cli
