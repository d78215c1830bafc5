#pragma once

#include "cli/removallist.h"
#include "common/outputfiles.h"
#include "fringe/displaypreferences.h"

#include <functional>
#include <iosfwd>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace lumi {
struct Measurement;
}

namespace lumi::cli {

class JsonWriter;

// What "lumivorexan-cli analyze" was asked to do. Unset optionals keep the
// values read from the fringe data file (or the program's defaults when the
// file holds none).
struct AnalyzeRequest {
    std::string fringeFile;
    std::optional<int> zernikeTerms;     // AnalysisInput::kAutoTerms, 9, 16, 25 or 37
    std::optional<RemovalFlags> removal; // default: tilt and power
    std::optional<double> inputWavelengthNm;
    std::optional<double> outputWavelengthNm;
    std::optional<double> wavesPerFringe;
    std::optional<std::string> referenceFile; // .zrk, values in fringes
    OutputUnits units = OutputUnits::Waves;
    bool json = false;
    std::optional<std::string> zernikeOutFile;
    bool excludeOutliers = false; // refit without flagged points (analyze only)
    bool helpRequested = false;

    // Every other file the command will write (plots, reports) and the folders
    // it creates when missing (a file in a missing one is checked as the folder
    // is): checked with --zernike-out against the inputs before anything is
    // read or written.
    std::vector<std::string> outputFiles;
    std::vector<std::string> outputFolders;
    // Inputs besides the fringe and reference files (a notes file).
    std::vector<std::string> inputFiles;
    // The files written so far, named when a later write fails. Shared by the
    // copies of the request and the actions below.
    std::shared_ptr<OutputFiles> written = std::make_shared<OutputFiles>();

    // Hooks for options added by other parts of the program (analyzeextensions.cpp).
    // Run after the file's values and the options above are in place, before APPLY.
    std::vector<std::function<void(Measurement&)>> settingOverrides;
    // Replaces the plain APPLY (runApply(m)), e.g. to pass an ideal-conic provider.
    std::function<void(Measurement&)> apply;
    // After a successful APPLY, in order (write plots, ...). Messages go to the
    // stream (stderr when the results are JSON on stdout). May throw FileError.
    std::vector<std::function<void(const Measurement&, std::ostream& log)>> postActions;
    // Extra members appended to the JSON object after the fixed keys.
    std::vector<std::function<void(const Measurement&, JsonWriter&)>> jsonExtras;
    // Extra lines appended to the plain output.
    std::vector<std::function<void(const Measurement&, std::ostream&)>> textExtras;
};

} // namespace lumi::cli
