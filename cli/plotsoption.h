#pragma once

#include "analysis/measurement.h"
#include "common/outputfiles.h"

#include <iosfwd>

namespace lumi::cli {

class OptionTable;
struct AnalyzeRequest;
struct PlotsRequest;

// "analyze ... --plots DIR [--map-grid 32|64|128] [--psf-grid 64|128|256] [--f-number F]":
// after APPLY, writes wavefront-map.png (map and colour scale), wavefront-surface.png,
// psf-map.png, psf-surface.png and mtf.png into DIR (created when missing). The map and
// surface use --map-grid intervals (default 64), the PSF and then the MTF the pupil samples of
// --psf-grid (default 128x128: 64 intervals); the MTF is in lines/mm when --f-number is given,
// else in normalised frequency.
void addPlotsOptions(OptionTable& table, AnalyzeRequest& request);

// Writes the five plots of `request` (its folder created when missing), naming
// each in `log` and in `written`. Throws FileError.
void writePlots(const PlotsRequest& request, const Measurement& m, std::ostream& log,
                OutputFiles& written);

} // namespace lumi::cli
