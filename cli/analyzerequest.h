#pragma once

#include "cli/removallist.h"
#include "common/outputfiles.h"
#include "fringe/displaypreferences.h"
#include "optics/psfoptions.h"

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace lumi::cli {

// "--aspheric [--diameter MM] [--radius MM] [--conic K]": unset values keep the file's.
struct AsphericRequest {
    bool enabled = false;
    std::optional<double> diameterMm;
    std::optional<double> radiusMm;
    std::optional<double> conic;
};

// "--plots DIR [--map-grid N] [--psf-grid N] [--f-number F]"; no directory: no plots.
struct PlotsRequest {
    std::string directory;
    int mapGridCount = 64;
    PsfGridSize psfGrid = PsfGridSize::Grid128;
    double apertureRatio = 0.0; // 0: normalised frequency
};

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

    // The options of the extensions (analyzeextensions.cpp).
    AsphericRequest aspheric;
    PlotsRequest plots;
    bool strehlPsf = false; // --strehl-psf
};

} // namespace lumi::cli
