#pragma once

#include "analysis/fituncertainty.h"
#include "analysis/measurement.h"
#include "report/reportline.h"
#include "report/summarytexts.h"

#include <array>
#include <optional>
#include <string>
#include <vector>

namespace lumi {

// The waves-column texts of the "Aberration" page exactly as shown there,
// " Removed" included for a removed group.
struct AberrationFieldTexts {
    std::string peakToValley, rms, strehl;
    std::string tilt, defocus, astigmatism, coma, spherical;
};

// The one place the reports take the "Aberration" page's texts from: the
// summary texts as the window shows them (or as summaryTexts(...) makes them).
AberrationFieldTexts aberrationFieldTexts(const SummaryTexts& summary);

// The settings as the report prints them: the three boxes' texts and whether
// the analysis type is aspheric.
struct ShownSettingsTexts {
    std::string inputWavelength, outputWavelength, wavesPerFringe;
    bool aspheric = false;
};
// The texts of typed input numbers (shortest form), for callers without boxes.
ShownSettingsTexts shownSettingsTexts(const AnalysisInput& input);

// Everything the text report prints.
struct TextReportInput {
    std::string fileName;
    // Date, operator, instrument, optic description, notes: the stored user
    // data (what was last stored, saved or loaded, not the boxes' text).
    std::array<std::string, 5> userData;
    // The three settings boxes' texts as they stand now, not the parsed values.
    std::string inputWavelengthText, outputWavelengthText, wavesPerFringeText;
    int highestTerm = 24; // index of the highest term in use
    int fringeCount = 0;  // fringes 0..100 that hold points
    int pointCount = 0;   // their points
    AberrationFieldTexts summary;
    bool aspheric = false; // prints the best-fit conic line
    std::string bestConicText;
    ZernikeCoefficients coefficients{}; // used coefficients, waves at the input wavelength
    double wavesPerFringe = 0.5;        // of the last analysis; divides the coefficients
    // 1 sigma of each fitted term (waves at the input wavelength) when the
    // coefficients come from a fit with spare points; printed beside them.
    std::optional<ZernikeCoefficients> coefficientStdError;
};

// A report prints at most this much of one user data field (about 25 pages of
// notes); more is not a note but a wrong file pasted in.
inline constexpr std::size_t kMaxPrintedFieldBytes = 100000;
// What the reports print of a user data field: the field itself up to
// kMaxPrintedFieldBytes; a longer one is cut there (at a whole character) and
// ends with a line saying how many bytes are not printed.
std::string printedUserField(const std::string& field);

// Gathers the report's values: counts from the store, the coefficients from
// the results, the waves per fringe and highest term of the last analysis, the
// user data as printedUserField() gives them, the
// three texts and the analysis type from `shown` (the settings as the window
// shows them now), the summary from `summary`, the best-fit conic text from the
// results, and the standard errors of `fit` (the uncertainty of the fit behind
// the coefficients, of the points it used; none after an average) when it has them.
TextReportInput textReportInput(const Measurement& m, const ShownSettingsTexts& shown,
                                const SummaryTexts& summary,
                                const std::array<std::string, 5>& userData,
                                const std::string& fileName, const FitUncertainty* fit = nullptr);

// The report's lines in printing order: title, file name, user data, settings,
// fringe statistics, aberrations, then one line per term 0..highestTerm with the
// index at column 15 and the coefficient in fringes at column 29 (14-column print
// zones), and when the input has them "+/- " and the standard error in fringes
// with 6 decimals in the next zone. Label/value lines put the label at column 20 and the value
// at 50. A value holding line breaks continues on further lines at its column; with wrapColumns > 0
// a value reaching beyond that column is also broken at blanks (or mid-word when one word is too
// long), in time linear in the value's length. Throws AnalysisError ZeroWavesPerFringe when
// wavesPerFringe is 0 or not finite.
std::vector<ReportLine> textReportLines(const TextReportInput& input, int wrapColumns = 0);

// A whole number as printed: sign place (blank or "-"), digits, one blank: " 35 ".
std::string reportWholeNumber(long long v);
// A real number as printed: sign place, up to 15 significant digits (exponent
// form outside 1e-4 <= |v| < 1e15, "1.5E-05"), one blank: " 0.25 ", "-1.5E-05 ".
std::string reportRealNumber(double v);

} // namespace lumi
