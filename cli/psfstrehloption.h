#pragma once

namespace lumi::cli {

class OptionTable;
struct AnalyzeRequest;

// "--strehl-psf": also measure the Strehl ratio on the point spread function
// (256 x 256 grid) and report it as "strehlPsf" in the JSON, or as a line
// after the aberration page.
void addPsfStrehlOptions(OptionTable& table, AnalyzeRequest& request);

} // namespace lumi::cli
