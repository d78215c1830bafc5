#pragma once

#include "analysis/analysisresults.h"
#include "analysis/analysissettings.h"
#include "analysis/zernikecoefficients.h"
#include "fringe/displaypreferences.h"
#include "fringe/fringestore.h"

namespace lumi {

// The whole state of one measurement session, passed explicitly to whoever
// needs it (there are no process-wide globals).
struct Measurement {
    FringeStore store;
    AnalysisSettings settings;
    AnalysisResults results;
    DisplayPreferences preferences;
    // Reference coefficients typed by the user, in fringes (term t at index t).
    ZernikeCoefficients referenceFringes{};
};

} // namespace lumi
