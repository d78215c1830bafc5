#pragma once

#include "analysis/fitfinding.h"
#include "analysis/fituncertainty.h"
#include "analysis/outlierexclusion.h"
#include "analysis/summaryuncertainty.h"

#include <vector>

namespace lumi {
struct Measurement;
}

namespace lumi::cli {

class JsonWriter;

// Writes the results of a completed APPLY as members of the JSON object the
// writer has open: fittedCoefficients and coefficients (waves at the input
// wavelength, terms 0..highestTerm), highestTerm, wavesPerFringe,
// wavelengthRatio, peakToValley, rms, strehl (P-V and RMS in waves at the
// output wavelength), fitRmsError (waves), fringeCount, pointCount,
// tilt/astigmatism/coma {magnitude, angleDeg}, defocus, spherical, and texts
// (every displayed text, plus the report texts in the chosen unit).
void writeAnalysisJson(const Measurement& m, JsonWriter& json);

// Writes "warnings": the fit-quality findings of the last fit, [] when there is
// none; each {kind, text, termCount, then by kind: fromDeg/toDeg (degrees
// counterclockwise on the picture from the right), outermostRadius (normalised
// pupil), or fringe (as numbered on screen, from 1)/point/xPx/yPx/residualWaves/
// fitRmsWaves (waves at the input wavelength), or noiseAmplification/
// supportedTermCount (illDetermined: 37, 25, 16 or 9 terms, 0 for fewer)}.
void writeFitWarningsJson(const Measurement& m, JsonWriter& json);
// The same for findings already made (of the points the fit used).
void writeFitWarningsJson(const std::vector<FitFinding>& findings, JsonWriter& json);

// Writes "coefficientStdError" (1 sigma of each fitted term 0..highestTerm,
// waves at the input wavelength; null entries when the fit has no spare
// points) and "uncertainty" {degreesOfFreedom, residualSigma (waves at the
// input wavelength), peakToValley, rms (waves at the output wavelength),
// strehl; null where none can be given}.
void writeUncertaintyJson(const FitUncertainty& fit, const SummaryUncertainty& summary,
                          int highestTerm, JsonWriter& json);

// Writes "excludedOutliers" {count, refits, points [{fringe, point, xPx, yPx}]}.
void writeExclusionJson(const OutlierExclusion& exclusion, JsonWriter& json);

} // namespace lumi::cli
