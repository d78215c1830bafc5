#pragma once

#include "analysis/analysisinput.h"
#include "analysis/measurement.h"

#include <iosfwd>

namespace lumi::cli {

class JsonWriter;
class OptionTable;
struct AnalyzeRequest;
struct AsphericRequest;

// "analyze ... --aspheric [--diameter MM] [--radius MM] [--conic K]": aspheric surface
// analysis. The mirror data default to those of the fringe data file; the ideal conic
// is ray-traced before the fit, its primary spherical compensated in the sampled
// wavefront, and the best-fit conic constant estimated. Adds idealConicCoefficients
// (waves, terms 0..highestTerm) and bestFitConic to the JSON and the "Best Fit Conic
// Constant" line to the plain output. The mirror options without --aspheric are a
// usage error.
void addAsphericOptions(OptionTable& table, AnalyzeRequest& request);

// Aspheric analysis with the given mirror data over `input`; the mirror options
// without --aspheric are a UsageError.
void applyAsphericRequest(const AsphericRequest& aspheric, AnalysisInput& input);

// idealConicCoefficients (terms 0..highestTerm) and bestFitConic.
void writeAsphericJson(const Measurement& m, JsonWriter& json);
// The mirror data, the ideal spherical and the best-fit conic, after the page.
void writeAsphericText(const Measurement& m, std::ostream& out);

} // namespace lumi::cli
