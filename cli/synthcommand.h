#pragma once

#include "analysis/measurement.h"
#include "analysis/syntheticoptions.h"

#include <iosfwd>
#include <optional>
#include <span>
#include <string>

namespace lumi::cli {

// What "lumivorexan-cli synth" was asked to draw.
struct SynthRequest {
    std::string outFile;                                  // PNG of the synthetic interferogram
    std::optional<std::string> zernikeFile;               // .zrk, values in fringes
    std::optional<ZernikeCoefficients> coefficientsWaves; // --coef, waves
    SyntheticOptions options;                             // size, colour, removals, w
    int scale = 1;                                        // PNG pixels per cell, 1..16
    double obstructionRatio = 0.0;                        // central obstruction / aperture
    // Aspheric mirror data: with them the ideal conic is ray-traced, and "Null Test",
    // the ideal interferogram, its skeleton and the overlay become available.
    std::optional<double> diameterMm, radiusMm, conic;
    std::optional<std::string> idealOutFile, skeletonOutFile;
    bool overlay = false;
    bool helpRequested = false;
};

// Parses the arguments after "synth". Throws UsageError.
SynthRequest parseSynthArguments(std::span<const std::string> args);

// The measurement the pictures are drawn from: coefficients (waves), highest term
// (the .zrk file's term count as the averaging takes it, else 36), aperture and obstruction, and
// the ideal conic when mirror data were given. Throws FileError and AnalysisError.
Measurement synthMeasurement(const SynthRequest& request);

std::string synthHelpText();

// "lumivorexan-cli synth ...": exit 0; 2 for a bad command line or a file that cannot
// be read or written; 3 when the pictures cannot be computed (waves per fringe 0,
// mirror data that give no ideal conic).
int runSynth(std::span<const std::string> args, std::ostream& out, std::ostream& err);

} // namespace lumi::cli
