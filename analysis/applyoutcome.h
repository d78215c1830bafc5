#pragma once

#include "analysis/analysiserror.h"
#include "analysis/analysisresults.h"
#include "analysis/analysissettings.h"

#include <optional>

namespace lumi {

// What a command that changes the analysis (APPLY, an average, the reference
// subtraction, a whole-field fit) leaves: the settings and results to keep from
// now on, how far it came and the error that stopped it. After a fault the
// stages reached hold their new values and the later ones those the command
// started from; `progress` tells which are which.
struct ApplyOutcome {
    AnalysisSettings settings;
    AnalysisResults results;
    ApplyProgress progress = ApplyProgress::NotRun;
    std::optional<AnalysisError> error; // none: the command finished

    bool succeeded() const { return !error.has_value(); }
};

} // namespace lumi
