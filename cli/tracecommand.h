#pragma once

#include "fringe/aperturecircle.h"
#include "fringe/fringetracer.h"

#include <iosfwd>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace lumi::cli {

// What "lumivorexan-cli trace" was asked to do. Positions in image pixels.
struct TraceRequest {
    std::string imageFile;
    std::string outFile;
    ApertureCircle aperture;    // radius 0: not given
    ApertureCircle obstruction; // radius 0: none
    std::vector<ImagePoint> seeds;
    // Fringe order of each seed (0-based): "X,Y@N" gives fringe number N
    // (order N - 1); a seed without one is one above the seed before it.
    std::vector<int> seedOrders;
    int pointSpacing = 20;
    bool follow = false; // follow each fringe's own direction, report early stops
    bool optimize = false;
    bool subPixel = false;
    double wavesPerFringe = 0.5;
    double inputWavelengthNm = 632.8;
    bool json = false;
    bool helpRequested = false;
};

// Parses the arguments after "trace". Throws UsageError.
TraceRequest parseTraceArguments(std::span<const std::string> args);

std::string traceHelpText();

// "lumivorexan-cli trace IMAGE ...": traces one fringe per seed on the
// picture, optionally optimises every fringe, writes a fringe data file.
// Exit 0, or 2 for a bad command line, an unreadable picture, seeds or
// circles that do not fit the picture, or a file that cannot be written.
int runTrace(std::span<const std::string> args, std::ostream& out, std::ostream& err);

} // namespace lumi::cli
