#pragma once

#include "analysis/measurement.h"

#include <string>
#include <vector>

namespace lumi {

struct CaptionedText {
    std::string caption;
    std::string value;
    bool operator==(const CaptionedText&) const = default;
};

// The summary beside the plots of the graphical report, in order: the two
// wavelengths and the waves per fringe (the input numbers, shortest form), P-V and RMS
// in the output unit (nanometres: value x output wavelength with 1 decimal and
// "  nm."; waves: 3 decimals, "     (1/", the reciprocal with 1 decimal,
// " waves)"), the Strehl ratio, then tilt, defocus, astigmatism, coma and
// spherical as their report texts (reportValueTexts) or " Removed" when the group is removed; in
// aspheric analysis also the diameter, the radius, the target conic and the
// best-fit conic ("  K =   " and 3 decimals). Reads the results of the last
// analysis; a P-V or RMS of 0 (never analysed) gives no reciprocal.
std::vector<CaptionedText> graphicalReportSummary(const Measurement& m);

} // namespace lumi
