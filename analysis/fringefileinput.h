#pragma once

#include "analysis/analysisinput.h"
#include "fringe/fringedatafile.h"

namespace lumi {

// The analysis input after reading a fringe data file, for the window and the
// command line alike. The wavelengths, the waves per fringe and the aspheric
// values come from the file where it holds them (`current` keeps the others);
// each is the single-precision value rounded to the 7 significant digits the
// window shows, so what the user sees is what APPLY uses. The analysis type
// is aspheric exactly when the file names a surface diameter.
AnalysisInput inputFromFringeFile(const FringeDataFile& file, AnalysisInput current);

// v in single precision, rounded to 7 significant digits: a file value as the
// window shows it ("632.8", "0.5", "-1").
double asShownSingle(double v);

} // namespace lumi
