#pragma once

namespace lumi::cli {

class OptionTable;
struct AnalyzeRequest;

// "analyze ... --aspheric [--diameter MM] [--radius MM] [--conic K]": aspheric surface
// analysis. The mirror data default to those of the fringe data file; the ideal conic
// is ray-traced before the fit, its primary spherical compensated in the sampled
// wavefront, and the best-fit conic constant estimated. Adds idealConicCoefficients
// (waves, terms 0..highestTerm) and bestFitConic to the JSON and the "Best Fit Conic
// Constant" line to the plain output. The mirror options without --aspheric are a
// usage error.
void addAsphericOptions(OptionTable& table, AnalyzeRequest& request);

} // namespace lumi::cli
