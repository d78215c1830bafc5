#pragma once

#include "analysis/contourpointgenerator.h"

#include <iosfwd>
#include <optional>
#include <span>
#include <string>

namespace lumi::cli {

// What "lumivorexan-cli generate" was asked to write.
struct GenerateRequest {
    std::string outFile;
    std::optional<ZernikeCoefficients> coefficientsWaves; // --coef, waves at the input wl
    double wavesPerFringe = 0.5;
    std::optional<ApertureCircle> aperture; // default: centred in width x height
    ApertureCircle obstruction;             // radius 0: none
    double widthPx = 640.0;
    double heightPx = 480.0;
    double inputWavelengthNm = 632.8;
    double outputWavelengthNm = 632.8;
    bool json = false;
    bool helpRequested = false;

    // The aperture given, or the default one: centre (width/2, height/2),
    // radius 0.45 x the smaller side.
    ApertureCircle effectiveAperture() const;
};

// Parses the arguments after "generate". Throws UsageError.
GenerateRequest parseGenerateArguments(std::span<const std::string> args);

// Fills a store on the contours, writes the fringe data file and returns what
// was generated. Throws AnalysisError (geometry, too many fringes) or FileError.
ContourGeneration generateFringeFile(const GenerateRequest& request);

std::string generateHelpText();

// "lumivorexan-cli generate ...": exit 0, or 2 for a bad command line, values
// that give no usable fringes, or a file that cannot be written.
int runGenerate(std::span<const std::string> args, std::ostream& out, std::ostream& err);

} // namespace lumi::cli
