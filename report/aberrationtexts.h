#pragma once
// Every text the program shows for an analysis, made from its numbers: the
// "Aberration" page, the "Zernike" page, the command line's page and the texts
// of its JSON. Waves are at the output wavelength unless stated; "." is the
// decimal point whatever the locale.

#include "analysis/analysisresults.h"
#include "analysis/analysissettings.h"
#include "analysis/fituncertainty.h"
#include "fringe/displaypreferences.h"
#include "report/summarytexts.h"

#include <array>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace lumi {

// The command line's name of a "REMOVE" group: tilt, power, astigmatism, coma,
// spherical, high-astigmatism, high-coma, high-spherical.
std::string_view removalGroupName(RemovalGroup group);

// "0.123     [1/8.1 waves]": P-V or RMS in waves with its reciprocal.
std::string wavesWithReciprocalText(double waves);
// "0.123  [1/8.1]": the same, short, as the "Zernike" page shows it.
std::string shortWavesWithReciprocalText(double waves);
// "63.3   nm.": waves times the output wavelength, 1 decimal.
std::string nanometreText(double waves, double outputWavelengthNm);
// "0.975": the Strehl ratio, 3 decimals.
std::string strehlText(double strehl);
// "0.100     -135  (degree)": tilt with its angle in shortest form.
std::string tiltText(const OrientedAberration& tilt);
// "0.200     90.00  (degree)": astigmatism or coma with its angle, 2 decimals.
std::string orientedText(const OrientedAberration& aberration);
// "-0.500": defocus, spherical or the fit error, 3 decimals.
std::string wavesText(double waves);
// "  K =   -1.023": the best-fit conic constant, 3 decimals.
std::string bestFitConicText(float conic);
// "0.250000": a fitted coefficient (waves at the input wavelength) in fringes,
// 6 decimals; "" when wavesPerFringe is 0.
std::string coefficientCellText(double coefficientWaves, float wavesPerFringe);
// "0.250000": a value already in fringes (an averaged coefficient or its
// standard deviation), 6 decimals.
std::string fringeCellText(double fringes);

// The summary texts of the results as of `progress`: the counts from Counted,
// the fit error from Fitted, the rest from Summarised; earlier stages' fields
// keep the texts of `before`. A removed group shows " Removed" and no nm text.
SummaryTexts summaryTexts(const AnalysisResults& results, const AnalysisSettings& settings,
                          ApplyProgress progress, SummaryTexts before = {});

// Tilt, defocus, astigmatism, coma and spherical in the chosen unit (numbers
// also for removed groups), as reports list them.
std::array<std::string, 5> reportValueTexts(const AnalysisResults& results,
                                            const AnalysisSettings& settings, OutputUnits units);

// The command line's "Aberration" page of an analysed fringe data file; with
// an uncertainty that has standard errors, each coefficient is followed by
// "+/- " and its 1 sigma in fringes.
std::string aberrationPageText(const AnalysisResults& results, const AnalysisSettings& settings,
                               OutputUnits units, const std::string& fringeFile,
                               const FitUncertainty* uncertainty = nullptr);

// The texts of the command line's JSON, in key order: the summary texts, then
// the report values under "report" with their "unit".
struct JsonTexts {
    std::vector<std::pair<std::string, std::string>> summary;
    std::vector<std::pair<std::string, std::string>> report; // ends with "unit"
};
JsonTexts jsonTexts(const AnalysisResults& results, const AnalysisSettings& settings,
                    OutputUnits units);

} // namespace lumi
