#pragma once

#include "analysis/analysisresults.h"
#include "analysis/analysissettings.h"
#include "analysis/zernikecoefficients.h"
#include "fringe/displaypreferences.h"
#include "fringe/fringestore.h"

#include <array>
#include <string>

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
    // The stored user notes the reports print: date, operator, instrument,
    // optic description, notes ("\n" line breaks).
    std::array<std::string, 5> userData{};
};

} // namespace lumi
