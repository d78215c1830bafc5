#pragma once
// The texts of a fit's uncertainty and of the points it left out. "." is the
// decimal point whatever the locale.

#include "analysis/fituncertainty.h"
#include "analysis/outlierexclusion.h"
#include "analysis/summaryuncertainty.h"

#include <string>

namespace lumi {

// "0.001234": a standard error in waves (input wavelength) in fringes, 6
// decimals like the coefficient beside it; "" when it is not a finite number
// (wavesPerFringe 0). The one form of the "Zernike" page and the text reports.
std::string stdErrorFringesText(double stdErrorWaves, double wavesPerFringe);

// stdErrorFringesText of term `term`; "" when there is none (no spare points,
// a term beyond the fit).
std::string stdErrorCellText(const FitUncertainty& u, int term, float wavesPerFringe);

// The "Aberration" page's 1 sigma beside P-V and RMS (waves at the output
// wavelength) and the Strehl ratio: "+/- 0.012" (4 decimals below 0.01); ""
// where the fit gives none.
struct SummarySigmaTexts {
    std::string peakToValley, rms, strehl;
};
SummarySigmaTexts summarySigmaTexts(const SummaryUncertainty& summary);

// The command line page's block: 1 sigma of P-V and RMS (waves at the output
// wavelength) and of the Strehl ratio, with the residual scatter (waves at the
// input wavelength) and the degrees of freedom; 3 decimals, 4 below 0.01. A
// fit without spare points gets a line saying so.
std::string uncertaintyPageText(const FitUncertainty& fit, const SummaryUncertainty& summary);

// "Fitted without 3 flagged points (2 refits): fringe 4 point 12, ..." or
// "" when the fit left nothing out.
std::string exclusionText(const OutlierExclusion& exclusion);

} // namespace lumi
